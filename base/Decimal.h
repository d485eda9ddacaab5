// Whole numbers as people type them: decimal digits only, no sign, no spaces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace diduzozoz {

// The number text spells, or nothing when it is empty, holds anything but the digits 0-9, or
// has more than maxDigits of them (which keeps every value far from overflowing).
inline std::optional<std::int64_t> ParseDecimal(std::string_view text, std::size_t maxDigits = 9) {
    if (text.empty() || text.size() > maxDigits || maxDigits > 18) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace diduzozoz
