#include "sheet/Serial.h"

#include "base/Quote.h"
#include "base/Strings.h"
#include "sheet/Layout.h"
#include "symbology/Gs1.h"

namespace diduzozoz::sheet {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// digits + n in decimal; longer than digits when it carries past the first digit.
std::string Add(std::string digits, std::uint64_t n) {
    for (std::size_t i = digits.size(); i-- > 0 && n > 0;) {
        const std::uint64_t sum = static_cast<std::uint64_t>(digits[i] - '0') + n % 10;
        digits[i] = static_cast<char>('0' + sum % 10);
        n = n / 10 + sum / 10;
    }
    if (n > 0) digits.insert(0, std::to_string(n));
    return digits;
}

}  // namespace

std::optional<SerialRun> SerialRun::Make(const std::string& first, std::int64_t count,
                                         std::string& error, bool gs1) {
    error.clear();
    SerialRun run;
    run.m_first = first;
    run.m_count = count;
    std::size_t end = first.size();
    while (end > 0 && !IsDigit(first[end - 1])) --end;
    std::size_t begin = end;
    while (begin > 0 && IsDigit(first[begin - 1])) --begin;
    // GS1 data that does not parse counts as any code; the Create command refuses it.
    if (const auto field = gs1 ? Gs1SerialCounting(first) : std::nullopt) {
        begin = field->at;
        end = field->at + field->length;
        run.m_checkAt = field->checkAt;
        run.m_checkFrom = field->coveredFrom;
    }
    if (begin == end) {
        error = FormatText(str::kSerialNoDigits, ShownInMessage(first).c_str());
        return std::nullopt;
    }
    run.m_digitsAt = begin;
    run.m_digits = end - begin;
    if (count < 1) return run;
    const std::string last = Add(first.substr(begin, end - begin), count - 1);
    if (last.size() > run.m_digits) {
        error =
            FormatText(str::kSerialOverflow, static_cast<long long>(count),
                       ShownInMessage(first).c_str(), static_cast<int>(run.m_digits), last.c_str());
        return std::nullopt;
    }
    return run;
}

std::string SerialRun::At(std::int64_t n) const {
    std::string code = m_first;
    code.replace(m_digitsAt, m_digits,
                 Add(m_first.substr(m_digitsAt, m_digits), static_cast<std::uint64_t>(n)));
    if (m_checkAt < code.size()) {
        std::string covered;
        for (std::size_t i = m_checkFrom; i < m_checkAt; ++i) {
            if (IsDigit(code[i])) covered += code[i];  // the AI's digits, not its parentheses
        }
        code[m_checkAt] = Gs1CheckDigit(covered);
    }
    return code;
}

}  // namespace diduzozoz::sheet
