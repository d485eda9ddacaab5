// CODE128's automatic and GS1-128 forms: a shortest path over the three code sets.
#include "symbology/Code128Forms.h"

#include <array>
#include <cstdint>
#include <limits>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "render/DisplayText.h"
#include "symbology/Code128.h"
#include "symbology/Gs1.h"
#include "symbology/Skeleton.h"

namespace diduzozoz {
namespace {

// Symbol values of ISO/IEC 15417 table 1 that the encoder inserts.
constexpr int kShift = 98;
constexpr int kCodeC = 99;
constexpr int kCodeBInA = 100;  // CODE B in sets A and C
constexpr int kCodeAInB = 101;  // CODE A in sets B and C
constexpr int kFnc1 = 102;
constexpr int kStartA = 103;

enum Set { kA, kB, kC };
constexpr char kSetLetter[] = {'A', 'B', 'C'};

bool InA(int c) {
    return c == kCode128Fnc1Char || (c >= 0 && c < 0x60);
}
bool InB(int c) {
    return c == kCode128Fnc1Char || (c >= 0x20 && c < 0x80);
}
bool IsDigitChar(int c) {
    return c >= '0' && c <= '9';
}
// Value of a character in set A or B (it lies in the set).
int ValueIn(Set set, int c) {
    if (c == kCode128Fnc1Char) return kFnc1;
    if (set == kA && c < 0x20) return c + 64;
    return c - 0x20;
}
// The code change from one set to another, as a value of the set it leaves.
int CodeChange(Set to) {
    return to == kA ? kCodeAInB : to == kB ? kCodeBInA : kCodeC;
}

// Symbols first, then code changes and shifts: the fewest symbols, and among them the
// encoding that changes sets least.
struct Cost {
    int symbols = 0;
    int changes = 0;
    bool operator<(const Cost& o) const {
        return symbols != o.symbols ? symbols < o.symbols : changes < o.changes;
    }
    Cost operator+(const Cost& o) const { return {symbols + o.symbols, changes + o.changes}; }
};
constexpr Cost kNever{std::numeric_limits<int>::max() / 4, 0};

// How a position is left in a set: the character in the set itself (a digit pair in set C),
// the character through SHIFT, or (best only) a code change first.
enum class Step : std::uint8_t { kNone, kChar, kShifted, kPair, kChangeA, kChangeB, kChangeC };

}  // namespace

std::vector<int> Code128FewestSymbols(const std::vector<int>& chars, char& start) {
    const std::size_t n = chars.size();
    for (int c : chars) {
        if (!InA(c) && !InB(c)) return {};
    }
    // direct[i][s]: the rest from i in set s without changing set first; best[i][s]: the
    // cheaper of that and one code change followed by the direct way of the other set.
    std::vector<std::array<Cost, 3>> direct(n + 1), best(n + 1);
    std::vector<std::array<Step, 3>> directStep(n + 1), bestStep(n + 1);
    for (std::size_t i = n + 1; i-- > 0;) {
        for (Set s : {kA, kB, kC}) {
            Cost cost = kNever;
            Step step = Step::kNone;
            if (i == n) {
                cost = {};
            } else if (s == kC) {
                if (chars[i] == kCode128Fnc1Char) {
                    cost = Cost{1, 0} + best[i + 1][kC];
                    step = Step::kChar;
                } else if (i + 1 < n && IsDigitChar(chars[i]) && IsDigitChar(chars[i + 1])) {
                    cost = Cost{1, 0} + best[i + 2][kC];
                    step = Step::kPair;
                }
            } else if (s == kA ? InA(chars[i]) : InB(chars[i])) {
                cost = Cost{1, 0} + best[i + 1][s];
                step = Step::kChar;
            } else {
                cost = Cost{2, 1} + best[i + 1][s];
                step = Step::kShifted;
            }
            direct[i][s] = cost;
            directStep[i][s] = step;
        }
        for (Set s : {kA, kB, kC}) {
            best[i][s] = direct[i][s];
            bestStep[i][s] = Step::kChar;  // "as direct says"
            if (i == n) continue;
            for (Set to : {kC, kB, kA}) {
                if (to == s) continue;
                const Cost viaChange = Cost{1, 1} + direct[i][to];
                if (viaChange < best[i][s]) {
                    best[i][s] = viaChange;
                    bestStep[i][s] = to == kA   ? Step::kChangeA
                                     : to == kB ? Step::kChangeB
                                                : Step::kChangeC;
                }
            }
        }
    }
    Set set = kB;  // an empty text: START B, as for text
    if (n > 0) {
        Cost least = kNever;
        for (Set s : {kC, kB, kA}) {
            if (best[0][s] < least) {
                least = best[0][s];
                set = s;
            }
        }
    }
    start = kSetLetter[set];
    std::vector<int> symbols{kStartA + set};
    for (std::size_t i = 0; i < n;) {
        const Step change = bestStep[i][set];
        if (change == Step::kChangeA || change == Step::kChangeB || change == Step::kChangeC) {
            const Set to = change == Step::kChangeA ? kA : change == Step::kChangeB ? kB : kC;
            symbols.push_back(CodeChange(to));
            set = to;
        }
        switch (directStep[i][set]) {
            case Step::kPair:
                symbols.push_back(10 * (chars[i] - '0') + (chars[i + 1] - '0'));
                i += 2;
                break;
            case Step::kShifted:
                symbols.push_back(kShift);
                symbols.push_back(ValueIn(set == kA ? kB : kA, chars[i]));
                ++i;
                break;
            default:  // kChar
                symbols.push_back(set == kC ? kFnc1 : ValueIn(set, chars[i]));
                ++i;
                break;
        }
    }
    return symbols;
}

int Code128CheckValue(const std::vector<int>& symbols) {
    long long sum = symbols.empty() ? 0 : symbols[0];
    for (std::size_t i = 1; i < symbols.size(); ++i) {
        sum += static_cast<long long>(symbols[i]) * static_cast<long long>(i);
    }
    return static_cast<int>(sum % 103);
}

namespace {

bool EncodeAuto(const BarcodeSettings& job, Code128Encoding& out, std::string& error) {
    const std::string_view code = TextView(job.m_szCode);
    std::vector<int> chars;
    for (char c : code) {
        const auto b = static_cast<unsigned char>(c);
        if (b == kCode128Nul) {
            chars.push_back(0);
            out.meant += '\0';
        } else if (b >= 0x01 && b <= 0x7F) {
            chars.push_back(b);
            out.meant += c;
            // The caption shows the printable data; controls are named in the status line.
            if (b >= 0x20 && b < 0x7F) out.caption += c;
        } else {
            error = str::kCode128AutoChars;
            return false;
        }
    }
    out.status = code;
    out.symbols = Code128FewestSymbols(chars, out.start);
    out.checkSymbol = CheckDigitWanted(job.m_nCdCode128, 1);
    return true;
}

bool EncodeGs1(const BarcodeSettings& job, Code128Encoding& out, std::string& error) {
    // The CD box only completes a field one digit short; the symbol's check is always drawn.
    const std::optional<Gs1Data> data =
        ParseGs1(TextView(job.m_szCode), CheckDigitWanted(job.m_nCdCode128, 1), error);
    if (!data) return false;
    std::vector<int> chars{kCode128Fnc1Char};
    for (std::size_t i = 0; i < data->elements.size(); ++i) {
        const Gs1Element& e = data->elements[i];
        for (char c : e.ai + e.data) chars.push_back(static_cast<unsigned char>(c));
        if (i + 1 < data->elements.size() && Gs1NeedsSeparator(e.ai)) {
            chars.push_back(kCode128Fnc1Char);
        }
    }
    out.meant = Gs1ElementString(*data);
    out.status = Gs1Readable(*data);
    out.paymentCode = data->paymentCode;
    if (data->paymentCode) {
        // Two rows of 22 digits, as payment slips print them, to be keyed in by hand.
        out.caption = data->elements[0].ai + data->elements[0].data;
        out.captionRow = static_cast<int>(kGs1PaymentDigits / 2);
    } else {
        out.caption = out.status;
    }
    out.symbols = Code128FewestSymbols(chars, out.start);
    out.checkSymbol = true;
    return true;
}

}  // namespace

bool EncodeCode128Form(const BarcodeSettings& job, Code128Encoding& out, std::string& error) {
    out = Code128Encoding{};
    error.clear();
    const bool encoded = job.m_nCode128Form == kCode128FormGs1 ? EncodeGs1(job, out, error)
                                                               : EncodeAuto(job, out, error);
    if (!encoded) return false;
    if (out.checkSymbol) out.symbols.push_back(Code128CheckValue(out.symbols));
    return true;
}

CheckOutcome CheckCode128FormContent(CreateContext& job) {
    Code128Encoding encoding;
    std::string error;
    if (!EncodeCode128Form(job, encoding, error)) return RefuseThenRestore(job, error.c_str());
    return CheckOutcome::kPassed;
}

void RenderCode128Form(CreateContext& job) {
    Code128Encoding enc;
    std::string error;
    if (!EncodeCode128Form(job, enc, error)) {
        // The content check refuses such text before; a caller that skips it draws nothing.
        job.SetDataText({});
        job.SetStatus(
            FormatText(str::kStatusIncomplete,
                       DisplayText(TextView(job.m_szCode), Code128InternalCodeName).c_str()));
        return;
    }
    job.SetDataText(enc.caption);
    const char start[2] = {enc.start, 0};
    job.SetStatus(FormatText(str::kStatusMadeCode128, start,
                             DisplayText(enc.status, Code128InternalCodeName).c_str()));
    BuildCode128Table(job.m_patternTable);

    // A caption wider than the bars is centred on them, the drawing wider by the difference.
    const int modules = 11 * static_cast<int>(enc.symbols.size()) + 13;
    const int bars = modules * job.m_nLineUnit;
    const int caption = job.m_nTextPosition == kTextBelow || job.m_nTextPosition == kTextAbove
                            ? CaptionWidth(enc.caption, Code128InternalCodeName, enc.captionRow)
                            : 0;
    const int pad = caption > bars ? caption - bars : 0;
    SkeletonRenderer r(job, Code128InternalCodeName, pad / 2);
    for (int value : enc.symbols) {
        if (!r.Slot(value)) {
            r.Stop();
            return;
        }
    }
    r.Modules(kCode128Stop);
    r.Complete({.marginAfterLast = true,
                .centred = true,
                .rowLength = enc.captionRow,
                .rightPad = pad - pad / 2});
}

}  // namespace diduzozoz
