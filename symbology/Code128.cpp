// CODE128 encoding, check character and renderer.
#include "symbology/Code128.h"

#include <array>
#include <iterator>
#include <string_view>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "render/DisplayText.h"
#include "symbology/Code128Forms.h"
#include "symbology/Skeleton.h"

namespace diduzozoz {
namespace {

// --- Character tables: the position of a byte is its value in the set -----------------------

using CharTable = std::array<unsigned char, kCode128SymbolCount>;

// Values 96 to 105 of set A: FNC3, FNC2, SHIFT, CODE C, CODE B, FNC4, FNC1, START A/B/C.
constexpr unsigned char kSetASpecials[] = {
    kCode128Fnc3, kCode128Fnc2, kCode128Shift,  kCode128CodeC,  kCode128CodeB,
    kCode128Fnc4, kCode128Fnc1, kCode128StartA, kCode128StartB, kCode128StartC};
// Set B differs at 100 (FNC4) and 101 (CODE A).
constexpr unsigned char kSetBSpecials[] = {
    kCode128Fnc3,  kCode128Fnc2, kCode128Shift,  kCode128CodeC,  kCode128Fnc4,
    kCode128CodeA, kCode128Fnc1, kCode128StartA, kCode128StartB, kCode128StartC};

constexpr CharTable MakeSetA() {
    CharTable t{};
    int v = 0;
    for (int b = 0x20; b <= 0x5F; ++b) t[v++] = static_cast<unsigned char>(b);
    t[v++] = kCode128Nul;  // value 64, NUL
    for (int b = 0x01; b <= 0x1F; ++b) t[v++] = static_cast<unsigned char>(b);
    for (unsigned char s : kSetASpecials) t[v++] = s;
    return t;
}

constexpr CharTable MakeSetB() {
    CharTable t{};
    int v = 0;
    for (int b = 0x20; b <= 0x7F; ++b) t[v++] = static_cast<unsigned char>(b);
    for (unsigned char s : kSetBSpecials) t[v++] = s;
    return t;
}

constexpr CharTable CODE128_SET_A = MakeSetA();
constexpr CharTable CODE128_SET_B = MakeSetB();
static_assert(64 + 32 + std::size(kSetASpecials) == kCode128SymbolCount);
static_assert(96 + std::size(kSetBSpecials) == kCode128SymbolCount);
static_assert(CODE128_SET_A[64] == kCode128Nul && CODE128_SET_A[65] == 0x01);
static_assert(CODE128_SET_B[95] == 0x7F && CODE128_SET_B[105] == kCode128StartC);

// The other direction of the same lists: value of every byte, or -1.
using ValueTable = std::array<signed char, 256>;
constexpr ValueTable MakeValues(const CharTable& chars) {
    ValueTable v{};
    for (auto& x : v) x = -1;
    for (int i = 0; i < kCode128SymbolCount; ++i) v[chars[i]] = static_cast<signed char>(i);
    v[0] = -1;  // the byte 0x00 ends the text and is never found
    return v;
}
constexpr ValueTable CODE128_VALUES_A = MakeValues(CODE128_SET_A);
constexpr ValueTable CODE128_VALUES_B = MakeValues(CODE128_SET_B);
static_assert(CODE128_VALUES_A[0x80] == 64 && CODE128_VALUES_B[0x7F] == 95);

const CharTable* TableOf(char set) {
    if (set == 'A') return &CODE128_SET_A;
    if (set == 'B') return &CODE128_SET_B;
    return nullptr;
}

// --- Patterns ---------------------------------------------------------------------------------

// The symbol patterns of ISO/IEC 15417 (Code 128), values 0 to 105 in value order, one
// character per module: three bars and three spaces, 11 modules.
constexpr ModulePattern CODE128_PATTERNS[] = {
    "11011001100", "11001101100", "11001100110", "10010011000", "10010001100",  // 0
    "10001001100", "10011001000", "10011000100", "10001100100", "11001001000",  // 5
    "11001000100", "11000100100", "10110011100", "10011011100", "10011001110",  // 10
    "10111001100", "10011101100", "10011100110", "11001110010", "11001011100",  // 15
    "11001001110", "11011100100", "11001110100", "11101101110", "11101001100",  // 20
    "11100101100", "11100100110", "11101100100", "11100110100", "11100110010",  // 25
    "11011011000", "11011000110", "11000110110", "10100011000", "10001011000",  // 30
    "10001000110", "10110001000", "10001101000", "10001100010", "11010001000",  // 35
    "11000101000", "11000100010", "10110111000", "10110001110", "10001101110",  // 40
    "10111011000", "10111000110", "10001110110", "11101110110", "11010001110",  // 45
    "11000101110", "11011101000", "11011100010", "11011101110", "11101011000",  // 50
    "11101000110", "11100010110", "11101101000", "11101100010", "11100011010",  // 55
    "11101111010", "11001000010", "11110001010", "10100110000", "10100001100",  // 60
    "10010110000", "10010000110", "10000101100", "10000100110", "10110010000",  // 65
    "10110000100", "10011010000", "10011000010", "10000110100", "10000110010",  // 70
    "11000010010", "11001010000", "11110111010", "11000010100", "10001111010",  // 75
    "10100111100", "10010111100", "10010011110", "10111100100", "10011110100",  // 80
    "10011110010", "11110100100", "11110010100", "11110010010", "11011011110",  // 85
    "11011110110", "11110110110", "10101111000", "10100011110", "10001011110",  // 90
    "10111101000", "10111100010", "11110101000", "11110100010", "10111011110",  // 95
    "10111101110", "11101011110", "11110101110", "11010000100", "11010010000",  // 100
    "11010011100",                                                              // 105
};
static_assert(std::size(CODE128_PATTERNS) == kCode128SymbolCount);

constexpr int kStartValue[] = {103, 104, 105};  // sets A, B, C

// Start value of a set letter, or -1.
int StartValue(char set) {
    return set >= 'A' && set <= 'C' ? kStartValue[set - 'A'] : -1;
}

}  // namespace

const char* Code128InternalCodeName(unsigned char byte) {
    switch (byte) {
        case kCode128Nul:
            return "\u2400";
        case kCode128Fnc1:
            return "«FNC1»";
        case kCode128Fnc2:
            return "«FNC2»";
        case kCode128Fnc3:
            return "«FNC3»";
        case kCode128Fnc4:
            return "«FNC4»";
        case kCode128Shift:
            return "«SHIFT»";
        case kCode128CodeA:
            return "«CODE A»";
        case kCode128CodeB:
            return "«CODE B»";
        case kCode128CodeC:
            return "«CODE C»";
        case kCode128StartA:
            return "«START A»";
        case kCode128StartB:
            return "«START B»";
        case kCode128StartC:
            return "«START C»";
        default:
            return nullptr;
    }
}

namespace {
// The automatic and GS1-128 forms choose their sets; every other value is the fixed form.
bool FixedForm(const BarcodeSettings& job) {
    return job.m_nCode128Form != kCode128FormAuto && job.m_nCode128Form != kCode128FormGs1;
}
}  // namespace

CheckOutcome CheckCode128Content(CreateContext& job) {
    if (!FixedForm(job)) return CheckCode128FormContent(job);
    const std::string_view code = TextView(job.m_szCode);
    switch (job.m_szCode128Start[0]) {
        case 'A':
            if (!AllChars(code, [](char c) { return InRange(c, 0x20, 0x5F); })) {
                return RefuseThenRestore(job, str::kCode128SetA);
            }
            break;
        case 'B':
            if (!AllChars(code, [](char c) { return InRange(c, 0x20, 0x7E); })) {
                return RefuseThenRestore(job, str::kCode128SetB);
            }
            break;
        case 'C':
            if (!AllDigits(code)) return RefuseThenRestore(job, str::kCode128SetC);
            // Set C encodes digit pairs: an odd count gets a fill digit for this run only.
            if (code.size() % 2 == 1 && !job.AppendToCode("0")) {
                return RefuseThenRestore(job, str::kCodeTooLong);
            }
            break;
        default:
            return RefuseAndEnd(job, str::kStartStopLetter);
    }
    return CheckOutcome::kPassed;
}

// --- Lookups ----------------------------------------------------------------------------------

int Code128CharIndex(char set, char c) {
    const auto b = static_cast<unsigned char>(c);
    if (set == 'A') return CODE128_VALUES_A[b];
    if (set == 'B') return CODE128_VALUES_B[b];
    return -1;
}

char Code128CharAt(char set, int value) {
    const CharTable* table = TableOf(set);
    if (!table || value < 0 || value >= kCode128SymbolCount) return static_cast<char>(0xFF);
    return static_cast<char>((*table)[value]);
}

int Code128SetCValue(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b == kCode128Nul) return 0;
    if (b == kCode128StartC) return 105;
    if (b >= 1 && b <= 102) return b;
    return -1;
}

void Code128PackSetC(std::string& symbols) {
    if (symbols.empty()) return;
    std::string packed(1, symbols[0]);
    for (std::size_t i = 1; i < symbols.size(); i += 2) {
        int value = -1;
        if (i + 1 < symbols.size()) {
            const int d1 = symbols[i] - '0';  // ':' counts as 10, only check pairs use it
            const int d2 = symbols[i + 1] - '0';
            if (d1 >= 0 && d1 <= 10 && d2 >= 0 && d2 <= 9 && 10 * d1 + d2 <= 102) {
                value = 10 * d1 + d2;
            }
        }
        packed += static_cast<char>(value == 0 ? kCode128Nul : value > 0 ? value : 0xFF);
    }
    symbols = std::move(packed);
}

void BuildCode128Table(PatternTable& table) {
    table.Fill(CODE128_PATTERNS, kCode128SymbolCount);
}

// --- Check character --------------------------------------------------------------------------

void Code128CheckDigit(CreateContext& job) {
    // The other forms' check symbol is no character of the text: their renderer draws it.
    if (FixedForm(job) && CheckDigitWanted(job.m_nCdCode128, 1)) CheckMod103(job);
}

void CheckMod103(CreateContext& job) {
    const char set = job.m_szCode128Start[0];
    int sum = StartValue(set);
    if (sum < 0) return;
    const std::string_view code = TextView(job.m_szCode);
    if (set == 'C') {
        if (code.size() % 2 != 0) return;  // the Create command has added the fill digit
        for (std::size_t j = 0; j < code.size(); j += 2) {
            if (!IsDigit(code[j]) || !IsDigit(code[j + 1])) return;
            sum += (10 * (code[j] - '0') + (code[j + 1] - '0')) * static_cast<int>(j / 2 + 1);
        }
    } else {
        for (std::size_t i = 0; i < code.size(); ++i) {
            const int value = Code128CharIndex(set, code[i]);
            if (value < 0) return;  // no value, no check; the renderer refuses the text too
            sum += value * static_cast<int>(i + 1);
        }
    }
    const int check = sum % 103;
    std::string append;
    if (set == 'C') {
        // 100 to 102 come out as ':' and a digit; Code128PackSetC reads them back.
        append += static_cast<char>('0' + check / 10);
        append += static_cast<char>('0' + check % 10);
    } else {
        append += Code128CharAt(set, check);
    }
    // The input limit leaves room; a caller that filled m_szCode hears why nothing was added.
    if (!job.AppendToCode(append)) job.ShowMessage(str::kCodeTooLong);
}

// --- Renderer ---------------------------------------------------------------------------------

void RenderCode128(CreateContext& job) {
    if (!FixedForm(job)) {
        RenderCode128Form(job);
        return;
    }
    const char set = job.m_szCode128Start[0];
    const std::string_view code = TextView(job.m_szCode);
    // The caption is the code text as it stands now: data, fill digit and check character.
    job.SetDataText(code);
    job.SetStatus(FormatText(str::kStatusMadeCode128,
                             DisplayText(TextView(job.m_szCode128Start)).c_str(),
                             DisplayText(code, Code128InternalCodeName).c_str()));
    const int startValue = StartValue(set);
    if (startValue < 0) return;

    // Working symbol text: the start symbol's internal code, then the code text.
    std::string symbols(1, Code128CharAt('A', startValue));
    symbols += code;
    if (set == 'C') Code128PackSetC(symbols);
    BuildCode128Table(job.m_patternTable);

    SkeletonRenderer r(job, Code128InternalCodeName);
    for (char c : symbols) {
        const int value = set == 'C' ? Code128SetCValue(c) : Code128CharIndex(set, c);
        if (!r.Slot(value)) {
            r.Stop();
            return;
        }
    }
    r.Modules(kCode128Stop);
    // The stop ends in a bar: the right margin starts after it so the bar stays two modules.
    r.Complete({.marginAfterLast = true});
}

}  // namespace diduzozoz
