// GS1 data: the AI table, the typed form, check digits and the element string.
#include "symbology/Gs1.h"

#include <algorithm>

#include "base/CharTests.h"
#include "base/Strings.h"
#include "render/DisplayText.h"
#include "symbology/CheckDigits.h"

namespace diduzozoz {
namespace {

constexpr std::size_t kNpos = std::string_view::npos;

// --- The AI table ------------------------------------------------------------------------------

// One AI, or a run of AIs: the AI's digits read as a number lie in lo..hi; a decimal family
// (31nn to 36nn) has a fourth digit 0 to 5, the decimal point's place, after the three in
// lo..hi.
struct AiRow {
    int digits;                // the AI's length: 2, 3 or 4
    int lo, hi;                // the AI (its first three digits for a decimal family)
    bool decimal;              // a 31nn-36nn family
    bool digitsOnly;           // N; otherwise GS1's character set 82 (X)
    int minLength, maxLength;  // of the data; fixed when equal
    bool checkDigit;           // the data's last digit is the GS1 modulus 10 check digit
    int digitPrefix;           // the first characters of the data that must be digits
};

// GS1 General Specifications 3.2 (the AI table): the AIs in common use in Japan. Formats N..n /
// X..n are variable up to n; N6 dates (11 to 17) are YYMMDD; 421 is N3+X..9 (an ISO country
// code, then a postal code); 91 to 99 are company internal information (91 carries the Japanese
// convenience-store payment code).
// clang-format off
constexpr AiRow kAiTable[] = {
    // digits lo   hi   decimal N      min max check prefix
    {2,  0,   0,   false, true,  18, 18, true,  0},   // SSCC
    {2,  1,   1,   false, true,  14, 14, true,  0},   // GTIN
    {2,  2,   2,   false, true,  14, 14, true,  0},   // GTIN of contained trade items
    {2,  10,  10,  false, false, 1,  20, false, 0},   // batch or lot number
    {2,  11,  11,  false, true,  6,  6,  false, 0},   // production date
    {2,  13,  13,  false, true,  6,  6,  false, 0},   // packaging date
    {2,  15,  15,  false, true,  6,  6,  false, 0},   // best before date
    {2,  17,  17,  false, true,  6,  6,  false, 0},   // expiration date
    {2,  20,  20,  false, true,  2,  2,  false, 0},   // internal product variant
    {2,  21,  21,  false, false, 1,  20, false, 0},   // serial number
    {2,  30,  30,  false, true,  1,  8,  false, 0},   // variable count of items
    {4,  310, 316, true,  true,  6,  6,  false, 0},   // metric trade measures
    {4,  320, 329, true,  true,  6,  6,  false, 0},   // imperial trade measures
    {4,  330, 337, true,  true,  6,  6,  false, 0},   // metric logistic measures
    {4,  340, 349, true,  true,  6,  6,  false, 0},   // imperial logistic measures
    {4,  350, 357, true,  true,  6,  6,  false, 0},   // imperial areas
    {4,  360, 369, true,  true,  6,  6,  false, 0},   // imperial volumes
    {2,  37,  37,  false, true,  1,  8,  false, 0},   // count of trade items
    {3,  400, 401, false, false, 1,  30, false, 0},   // order number, consignment (GINC)
    {3,  410, 414, false, true,  13, 13, true,  0},   // GLNs: ship to, bill to, ... physical
    {3,  420, 420, false, false, 1,  20, false, 0},   // ship-to postal code
    {3,  421, 421, false, false, 4,  12, false, 3},   // ship-to postal code with country
    {2,  90,  90,  false, false, 1,  30, false, 0},   // mutually agreed
    {2,  91,  99,  false, false, 1,  90, false, 0},   // company internal information
};
// clang-format on

// GS1 General Specifications 7.8.5: element strings of predefined length, by the AI's first
// two digits; every other field is ended by FNC1 when another follows it.
constexpr int kPredefinedLength[] = {0,  1,  2,  3,  4,  11, 12, 13, 14, 15, 16,
                                     17, 18, 19, 20, 31, 32, 33, 34, 35, 36, 41};

bool Predefined(std::string_view ai) {
    if (ai.size() < 2 || !IsDigit(ai[0]) || !IsDigit(ai[1])) return false;
    const int two = 10 * (ai[0] - '0') + (ai[1] - '0');
    for (int p : kPredefinedLength) {
        if (p == two) return true;
    }
    return false;
}

// The fixed-length rows are exactly the AIs of predefined length, so the separator rule and
// the table never disagree.
static_assert([] {
    for (const AiRow& r : kAiTable) {
        const int two = r.decimal || r.digits == 3 ? r.lo / 10 : r.lo;
        bool predefined = false;
        for (int p : kPredefinedLength) predefined = predefined || p == two;
        if (predefined != (r.minLength == r.maxLength)) return false;
    }
    return true;
}());

const AiRow* FindAi(std::string_view ai) {
    if (ai.size() < 2 || ai.size() > 4 || !AllDigits(ai)) return nullptr;
    int number = 0;
    for (char c : ai) number = 10 * number + (c - '0');
    for (const AiRow& r : kAiTable) {
        if (r.digits != static_cast<int>(ai.size())) continue;
        if (r.decimal) {
            if (number % 10 <= 5 && number / 10 >= r.lo && number / 10 <= r.hi) return &r;
        } else if (number >= r.lo && number <= r.hi) {
            return &r;
        }
    }
    return nullptr;
}

// GS1 General Specifications 7.11 (figure 7.11-1): character set 82.
bool InCharacterSet82(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '%' && c <= '?') || c == '!' ||
           c == '"' || c == '_';
}

// --- Messages ----------------------------------------------------------------------------------

// A character as a message quotes it: as typed, or its visible substitute where it has no
// printable form; always whole UTF-8.
void AppendShown(std::string& out, std::string_view s, std::size_t& i) {
    const std::size_t at = i;
    const char32_t cp = DecodeUtf8(s, i);
    if (cp < 0x80) {
        out += DisplayText(s.substr(at, 1));
    } else {
        AppendUtf8(out, cp > 0xFFFF ? 0xFFFD : cp);
    }
}

std::string CharacterAt(std::string_view s, std::size_t i) {
    std::string out;
    AppendShown(out, s, i);
    return out;
}

// Characters, not bytes, before position i: what a user counts.
int CharacterNumber(std::string_view s, std::size_t i) {
    int n = 1;
    for (std::size_t k = 0; k < i && k < s.size(); ++k) {
        if ((static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) ++n;
    }
    return n;
}

// An AI as a message names it: what was typed, shown safely and never long.
std::string AiShown(std::string_view ai) {
    std::string out;
    std::size_t i = 0;
    for (int n = 0; i < ai.size() && n < 8; ++n) AppendShown(out, ai, i);
    if (i < ai.size()) out += "…";
    return out;
}

// --- One field ---------------------------------------------------------------------------------

// Checks the data of one field against its row; appends a missing check digit where asked.
// typed: the text the data's positions refer to, for quoting a character.
bool CheckField(Gs1Element& e, const AiRow& row, bool appendCheckDigit, std::string_view typed,
                std::string& error) {
    const char* ai = e.ai.c_str();
    std::string& data = e.data;
    const int length = static_cast<int>(data.size());
    if (data.empty()) {
        error = FormatText(str::kGs1NoData, ai);
        return false;
    }
    auto where = [&](std::size_t k) {
        const std::size_t at = k < e.typedAt.size() ? e.typedAt[k] : kNpos;
        return at == kNpos ? std::make_pair(static_cast<int>(k) + 1, DisplayText(data.substr(k, 1)))
                           : std::make_pair(CharacterNumber(typed, at), CharacterAt(typed, at));
    };
    for (std::size_t k = 0; k < data.size(); ++k) {
        if (row.digitsOnly || static_cast<int>(k) < row.digitPrefix) {
            if (IsDigit(data[k])) continue;
            const auto [n, shown] = where(k);
            error = row.digitsOnly
                        ? FormatText(str::kGs1Digits, ai, n, shown.c_str())
                        : FormatText(str::kGs1DigitPrefix, ai, row.digitPrefix, n, shown.c_str());
            return false;
        }
        if (!InCharacterSet82(data[k])) {
            error = FormatText(str::kGs1Charset, ai, where(k).second.c_str());
            return false;
        }
    }
    if (row.checkDigit && appendCheckDigit && length == row.maxLength - 1) {
        data += Gs1CheckDigit(data);
        e.typedAt.push_back(kNpos);
    } else if (row.minLength == row.maxLength && length != row.maxLength) {
        error = FormatText(str::kGs1FixedLength, ai, row.maxLength, length);
        return false;
    } else if (length > row.maxLength || length < row.minLength) {
        error = row.minLength > 1
                    ? FormatText(str::kGs1LengthRange, ai, row.minLength, row.maxLength, length)
                    : FormatText(str::kGs1MaxLength, ai, row.maxLength, length);
        return false;
    }
    if (row.checkDigit) {
        const std::string_view body(data.data(), data.size() - 1);
        const char right = Gs1CheckDigit(body);
        if (data.back() != right) {
            error = FormatText(str::kGs1CheckDigit, ai, data.back(), right);
            return false;
        }
    }
    return true;
}

// The payment code: one AI (91) with 42 digits, the last its check digit over the AI and the
// 41 digits before it (GS1 Japan, 標準料金代理収納ガイドライン). 41 digits are completed when
// asked; without that they stay plain AI (91) data.
bool CheckPayment(Gs1Data& d, bool appendCheckDigit, std::string& error) {
    if (d.elements.size() != 1 || d.elements[0].ai != "91") return true;
    Gs1Element& e = d.elements[0];
    constexpr std::size_t kData = kGs1PaymentDigits - 2;
    if (!AllDigits(e.data) || (e.data.size() != kData && e.data.size() != kData - 1)) {
        return true;
    }
    if (e.data.size() == kData - 1) {
        if (!appendCheckDigit) return true;
        e.data += Gs1CheckDigit(e.ai + e.data);
        e.typedAt.push_back(kNpos);
    }
    const char right = Gs1CheckDigit(e.ai + e.data.substr(0, kData - 1));
    if (e.data.back() != right) {
        error = FormatText(str::kGs1PaymentCheckDigit, e.data.back(), right);
        return false;
    }
    d.paymentCode = true;
    return true;
}

bool CheckTotal(const Gs1Data& d, std::string& error) {
    int total = 0;
    for (std::size_t i = 0; i < d.elements.size(); ++i) {
        const Gs1Element& e = d.elements[i];
        total += static_cast<int>(e.ai.size() + e.data.size());
        if (i + 1 < d.elements.size() && Gs1NeedsSeparator(e.ai)) ++total;
    }
    if (total > kGs1MaxCharacters) {
        error = FormatText(str::kGs1TooLong, total);
        return false;
    }
    return true;
}

}  // namespace

bool Gs1NeedsSeparator(std::string_view ai) {
    return !Predefined(ai);
}

char Gs1CheckDigit(std::string_view digits) {
    if (!AllDigits(digits)) return 0;
    return static_cast<char>('0' + Mod10W3(digits));
}

std::optional<Gs1Data> ParseGs1(std::string_view typed, bool appendCheckDigits,
                                std::string& error) {
    error.clear();
    Gs1Data d;
    if (typed.empty() || (typed[0] != '(' && typed[0] != '[')) {
        error = str::kGs1Syntax;
        return std::nullopt;
    }
    const char open = typed[0];
    const char close = open == '(' ? ')' : ']';
    std::size_t i = 0;
    while (i < typed.size()) {
        // typed[i] opens an AI.
        const std::size_t end = typed.find(close, i + 1);
        const std::size_t nextOpen = typed.find(open, i + 1);
        if (end == kNpos || nextOpen < end) {
            error = FormatText(str::kGs1Unbalanced, CharacterNumber(typed, i));
            return std::nullopt;
        }
        Gs1Element e;
        e.ai = typed.substr(i + 1, end - i - 1);
        e.aiAt = i + 1;
        if (e.ai.empty()) {
            error = FormatText(str::kGs1EmptyAi, CharacterNumber(typed, i));
            return std::nullopt;
        }
        i = end + 1;
        while (i < typed.size() && typed[i] != open) {
            if (typed[i] == '\\' && i + 1 < typed.size() &&
                (typed[i + 1] == '(' || typed[i + 1] == ')')) {
                ++i;  // an escaped parenthesis is data
            } else if (typed[i] == close) {
                error = FormatText(str::kGs1Unbalanced, CharacterNumber(typed, i));
                return std::nullopt;
            }
            e.data += typed[i];
            e.typedAt.push_back(i);
            ++i;
        }
        d.elements.push_back(std::move(e));
    }
    for (Gs1Element& e : d.elements) {
        const AiRow* row = FindAi(e.ai);
        if (!row) {
            error = FormatText(str::kGs1UnknownAi, AiShown(e.ai).c_str());
            return std::nullopt;
        }
        if (!CheckField(e, *row, appendCheckDigits, typed, error)) return std::nullopt;
    }
    if (!CheckPayment(d, appendCheckDigits, error) || !CheckTotal(d, error)) return std::nullopt;
    return d;
}

std::optional<Gs1Data> CheckGs1ElementString(std::string_view s, std::string& error) {
    error.clear();
    Gs1Data d;
    std::size_t i = 0;
    if (s.empty()) {
        error = str::kGs1Syntax;
        return std::nullopt;
    }
    while (i < s.size()) {
        const AiRow* row = nullptr;
        std::size_t n = 2;
        for (; n <= 4 && i + n <= s.size() && !row; ++n) row = FindAi(s.substr(i, n));
        if (!row) {
            error = FormatText(str::kGs1UnknownAi, AiShown(s.substr(i, 4)).c_str());
            return std::nullopt;
        }
        --n;
        Gs1Element e;
        e.ai = s.substr(i, n);
        i += n;
        const std::size_t end =
            row->minLength == row->maxLength
                ? std::min(s.size(), i + static_cast<std::size_t>(row->maxLength))
                : std::min(s.find(kGs1Separator, i), s.size());
        e.data = s.substr(i, end - i);
        for (std::size_t k = i; k < end; ++k) e.typedAt.push_back(k);
        i = end;
        if (i < s.size() && s[i] == kGs1Separator) ++i;
        if (!CheckField(e, *row, false, s, error)) return std::nullopt;
        d.elements.push_back(std::move(e));
    }
    if (!CheckPayment(d, false, error) || !CheckTotal(d, error)) return std::nullopt;
    return d;
}

std::string Gs1ElementString(const Gs1Data& data) {
    std::string out;
    for (std::size_t i = 0; i < data.elements.size(); ++i) {
        const Gs1Element& e = data.elements[i];
        out += e.ai;
        out += e.data;
        if (i + 1 < data.elements.size() && Gs1NeedsSeparator(e.ai)) out += kGs1Separator;
    }
    return out;
}

std::string Gs1Readable(const Gs1Data& data) {
    std::string out;
    for (const Gs1Element& e : data.elements) out += "(" + e.ai + ")" + e.data;
    return out;
}

std::optional<Gs1SerialDigits> Gs1SerialCounting(std::string_view typed) {
    std::string error;
    const std::optional<Gs1Data> d = ParseGs1(typed, true, error);
    if (!d) return std::nullopt;
    Gs1SerialDigits out;
    if (d->paymentCode) {
        // 91, the biller's six digits, then the biller's free field of 21 digits.
        const Gs1Element& e = d->elements[0];
        out.at = e.typedAt[6];
        out.length = 21;
        out.checkAt = e.typedAt.back();
        out.coveredFrom = e.aiAt;
        return out;
    }
    for (std::size_t k = d->elements.size(); k-- > 0;) {
        const Gs1Element& e = d->elements[k];
        const AiRow* row = FindAi(e.ai);
        std::size_t end = e.data.size();
        const bool typedCheck = row->checkDigit && e.typedAt.back() != kNpos;
        if (row->checkDigit) --end;  // the check digit is worked out, never counted
        while (end > 0 && !IsDigit(e.data[end - 1])) --end;
        std::size_t begin = end;
        while (begin > 0 && IsDigit(e.data[begin - 1])) --begin;
        if (begin == end) continue;
        out.at = e.typedAt[begin];
        out.length = end - begin;
        out.checkAt = typedCheck ? e.typedAt.back() : kNpos;
        out.coveredFrom = e.typedAt[0];
        return out;
    }
    return out;  // no digits in the data: nothing to count
}

}  // namespace diduzozoz
