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

void CheckMod10W3(CreateContext& job) {
    AppendMod10(job, [](int d, int k) { return k % 2 == 1 ? 3 * d : d; });
}

}  // namespace diduzozoz
