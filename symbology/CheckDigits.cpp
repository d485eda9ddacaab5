#include "symbology/CheckDigits.h"

#include <string_view>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"

namespace diduzozoz {

void AppendDigit(CreateContext& job, int digit) {
    const char c = static_cast<char>('0' + digit);
    job.AppendToCode(std::string_view(&c, 1));
}

void AppendMod10(CreateContext& job, int (*weigh)(int digit, int k)) {
    const std::string_view code = TextView(job.m_szCode);
    if (!AllDigits(code)) {
        job.ShowMessage(str::kCdDigitsOnly);
        return;
    }
    int sum = 0;
    int k = 1;
    for (auto it = code.rbegin(); it != code.rend(); ++it, ++k) sum += weigh(*it - '0', k);
    AppendDigit(job, (10 - sum % 10) % 10);
}

namespace {

int Weight3(int d, int k) {
    return k % 2 == 1 ? 3 * d : d;
}

}  // namespace

void CheckMod10W3(CreateContext& job) {
    AppendMod10(job, Weight3);
}

int Mod10W3(std::string_view digits) {
    int sum = 0;
    int k = 1;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, ++k) sum += Weight3(*it - '0', k);
    return (10 - sum % 10) % 10;
}

CheckOutcome CheckFixedLength(CreateContext& job, bool stepAppends, const FixedLength& rule) {
    const std::string_view code = TextView(job.m_szCode);
    if (!AllDigits(code)) return RefuseThenRestore(job, str::kDigitsOnly);
    if (stepAppends) {
        if (code.size() != rule.digits) return RefuseAndEnd(job, rule.length);
        return CheckOutcome::kPassed;
    }
    if (code.size() != rule.digits + 1) return RefuseAndEnd(job, rule.lengthWithCd);
    const int right = Mod10W3(code.substr(0, rule.digits));
    if (code.back() - '0' != right) {
        return RefuseAndEnd(job, FormatText(rule.wrongCd, right).c_str());
    }
    return CheckOutcome::kPassed;
}

}  // namespace diduzozoz
