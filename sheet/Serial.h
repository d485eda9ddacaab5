// Serial numbers: from a first code, codes whose last run of digits counts up one by one with
// its width kept (A000123B, A000124B, ...). Everything else of the code stays as it is. GS1
// data counts where Gs1SerialCounting() says (symbology/Gs1.h), its check digit worked out
// anew for every code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace diduzozoz::sheet {

// Most codes one run may count, so that a mistyped count never makes a run of hours.
inline constexpr std::int64_t kMaxSerialCount = 100000;

class SerialRun {
  public:
    // The run of count codes from first; nothing (and error says why) when first has no
    // digit or the last code would need more digits than first has. gs1: first is GS1-128's
    // GS1 data as typed.
    static std::optional<SerialRun> Make(const std::string& first, std::int64_t count,
                                         std::string& error, bool gs1 = false);

    std::int64_t Count() const { return m_count; }
    // The n-th code, from 0.
    std::string At(std::int64_t n) const;

  private:
    std::string m_first;
    std::size_t m_digitsAt = 0;  // the counting run of digits
    std::size_t m_digits = 0;
    std::size_t m_checkAt = std::string::npos;  // a GS1 check digit to work out, or npos
    std::size_t m_checkFrom = 0;                // the first digit it covers
    std::int64_t m_count = 0;
};

}  // namespace diduzozoz::sheet
