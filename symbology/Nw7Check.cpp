// The seven NW-7 check-digit schemes. Each works on the code as typed and either appends one
// character or shows its message and appends nothing; the barcode is drawn in either case.
#include <string_view>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "symbology/CheckDigits.h"
#include "symbology/Nw7.h"

namespace diduzozoz {
namespace {

void AppendChar(CreateContext& job, char c) {
    job.AppendToCode(std::string_view(&c, 1));
}

// Check values 10 and 11 of the modulus 11 schemes have no digit of their own; they are
// written as 0, the common convention, so every check character can be drawn.
int Mod11Digit(int value) {
    return value >= 10 ? 0 : value;
}

}  // namespace

void Nw7CheckDigit(CreateContext& job) {
    if ((job.m_nCdNW7 & kCheckDigitOnMask) == 0) return;
    switch (job.m_nCdNW7 & kPatternMask) {
        case 1:
            CheckMod10W2(job);
            break;
        case 2:
            CheckMod10W3(job);
            break;
        case 3:
            CheckMod11(job);
            break;
        case 4:
            CheckMod16(job);
            break;
        case 5:
            Check7DR(job);
            break;
        case 6:
            CheckWeightedMod11(job);
            break;
        case 7:
            CheckLuhn(job);
            break;
        default:
            break;
    }
}

void CheckMod10W2(CreateContext& job) {
    AppendMod10(job, [](int d, int k) { return k % 2 == 1 ? 2 * d : d; });
}

void CheckMod11(CreateContext& job) {
    const std::string_view code = TextView(job.m_szCode);
    if (code.size() < 6) {
        job.ShowMessage(str::kCdMod11Length);
        return;
    }
    if (!AllDigits(code)) {
        job.ShowMessage(str::kCdDigitsOnly);
        return;
    }
    int sum = 0;
    for (int i = 0; i < 6; ++i) sum += (7 - i) * (code[i] - '0');
    AppendDigit(job, Mod11Digit(11 - sum % 11));
}

void CheckMod16(CreateContext& job) {
    int sum = 0;
    for (std::string_view part :
         {TextView(job.m_szNW7Start), TextView(job.m_szCode), TextView(job.m_szNW7Stop)}) {
        for (char c : part) {
            const int v = Nw7CharIndex(c);
            if (v < 0) return;  // cannot happen after the Create command's checks
            sum += v;
        }
    }
    AppendChar(job, Nw7CharAt((16 - sum % 16) % 16));
}

void Check7DR(CreateContext& job) {
    const std::string_view code = TextView(job.m_szCode);
    if (!AllDigits(code)) {
        job.ShowMessage(str::kCdDigitsOnly);
        return;
    }
    // The remainder of the whole decimal number, however long, digit by digit.
    int remainder = 0;
    for (char c : code) remainder = (remainder * 10 + (c - '0')) % 7;
    AppendDigit(job, remainder);
}

void CheckWeightedMod11(CreateContext& job) {
    static constexpr int kRow1[12] = {6, 3, 5, 9, 10, 7, 8, 4, 5, 3, 6, 2};
    static constexpr int kRow2[12] = {5, 8, 6, 2, 10, 4, 3, 7, 6, 8, 5, 9};
    const std::string_view code = TextView(job.m_szCode);
    if (code.size() > 12) {
        job.ShowMessage(str::kCdWeightedMod11Length);
        return;
    }
    if (!AllDigits(code)) {
        job.ShowMessage(str::kCdWeightedMod11Digits);
        return;
    }
    // Right-aligned in a field of 12 positions; the positions on the left count as 0.
    auto weighted = [&](const int(&row)[12]) {
        int sum = 0;
        const std::size_t offset = 12 - code.size();
        for (std::size_t i = 0; i < code.size(); ++i) sum += (code[i] - '0') * row[offset + i];
        return sum % 11;
    };
    const int r1 = weighted(kRow1);
    int digit = 0;
    if (r1 >= 2) {
        digit = 11 - r1;
    } else if (r1 == 1) {
        digit = Mod11Digit(11 - weighted(kRow2));
    }
    AppendDigit(job, digit);
}

void CheckLuhn(CreateContext& job) {
    // Odd positions doubled, a two-digit product counted by its digit sum.
    AppendMod10(job, [](int d, int k) { return k % 2 == 1 ? (2 * d > 9 ? 2 * d - 9 : 2 * d) : d; });
}

}  // namespace diduzozoz
