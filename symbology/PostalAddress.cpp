// The address number taken from an address, rule by rule as Japan Post's 郵便番号・バーコード
// マニュアル (バーコードに必要な文字情報の抜き出し法) gives them.
#include "symbology/PostalAddress.h"

#include <string>

#include "render/DisplayText.h"

namespace diduzozoz {
namespace {

bool IsLetter(char32_t c) {
    return c >= U'A' && c <= U'Z';
}
bool IsDigitCp(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Rule 1: full-width letters and digits, and the hyphens that are not the katakana long-vowel
// mark ー, as their half-width forms; letters in upper case.
char32_t Narrowed(char32_t c) {
    if (c >= 0xFF10 && c <= 0xFF19) return c - 0xFF10 + U'0';
    if (c >= 0xFF21 && c <= 0xFF3A) return c - 0xFF21 + U'A';
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0xFF41 + U'A';
    if (c >= U'a' && c <= U'z') return c - U'a' + U'A';
    if (c == U'－' || c == U'‐' || c == U'−') return U'-';
    return c;
}

// Rule 2: marks that are deleted and the text closed up, so that "A&b" is a run of two
// letters. Their full-width forms (and the half-width middle dot) go the same way: an IME
// types them so.
bool IsDeleted(char32_t c) {
    switch (c) {
        case U'&':
        case U'/':
        case U'・':
        case U'.':
        case U'＆':
        case U'／':
        case U'．':
        case U'･':
            return true;
        default:
            return false;
    }
}

int KanjiDigit(char32_t c) {
    constexpr char32_t kDigits[] = U"〇一二三四五六七八九";
    for (int d = 0; d < 10; ++d) {
        if (kDigits[d] == c) return d;
    }
    return -1;
}

int KanjiUnit(char32_t c) {
    return c == U'十' ? 10 : c == U'百' ? 100 : c == U'千' ? 1000 : 0;
}

bool IsKanjiNumeral(char32_t c) {
    return KanjiDigit(c) >= 0 || KanjiUnit(c) > 0;
}

// Rule 3: what a kanji numeral stands before when it is a number of the address.
bool MarksANumber(const std::u32string& t, std::size_t at) {
    if (at >= t.size()) return false;
    switch (t[at]) {
        case U'丁':  // 丁目, 丁
        case U'番':  // 番地, 番
        case U'号':
        case U'線':
        case U'の':
        case U'ノ':
            return true;
        case U'地':
            return at + 1 < t.size() && t[at + 1] == U'割';
        default:
            return false;
    }
}

// A run of kanji numerals as Arabic digits: counted with 十, 百 and 千 (二十一 = 21, 百一 = 101),
// or digit by digit without them (二〇一 = 201). An address holds at most 40 of them, far from
// any overflow.
std::u32string ArabicOf(std::u32string_view run) {
    bool counted = false;
    for (char32_t c : run) counted = counted || KanjiUnit(c) > 0;
    std::u32string out;
    if (!counted) {
        for (char32_t c : run) out += static_cast<char32_t>(U'0' + KanjiDigit(c));
        return out;
    }
    long long total = 0;
    long long digits = -1;
    for (char32_t c : run) {
        if (const int d = KanjiDigit(c); d >= 0) {
            digits = digits < 0 ? d : digits * 10 + d;
        } else {
            total += (digits < 0 ? 1 : digits) * KanjiUnit(c);
            digits = -1;
        }
    }
    if (digits >= 0) total += digits;
    for (char c : std::to_string(total)) out += static_cast<char32_t>(c);
    return out;
}

}  // namespace

std::string ExtractAddressNumber(std::string_view address) {
    // Rules 1 and 2, character by character.
    std::u32string text;
    for (std::size_t i = 0; i < address.size();) {
        const char32_t c = Narrowed(DecodeUtf8(address, i));
        if (!IsDeleted(c)) text += c;
    }
    // Rule 3.
    std::u32string t;
    for (std::size_t i = 0; i < text.size();) {
        if (!IsKanjiNumeral(text[i])) {
            t += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && IsKanjiNumeral(text[end])) ++end;
        const std::u32string_view run(text.data() + i, end - i);
        t += MarksANumber(text, end) ? ArabicOf(run) : std::u32string(run);
        i = end;
    }
    // Rules 4 and 5: what is kept, and one hyphen for whatever stands between kept characters.
    auto kept = [&t](std::size_t i) {
        const char32_t c = t[i];
        if (IsDigitCp(c) || c == U'-') return true;
        if (!IsLetter(c)) return false;
        if ((i > 0 && IsLetter(t[i - 1])) || (i + 1 < t.size() && IsLetter(t[i + 1]))) {
            return false;
        }
        return !(c == U'F' && i > 0 && IsDigitCp(t[i - 1]));  // a floor: "10F"
    };
    std::string joined;
    bool gap = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!kept(i)) {
            gap = true;
            continue;
        }
        if (gap && !joined.empty()) joined += '-';
        joined += static_cast<char>(t[i]);
        gap = false;
    }
    // One hyphen where there are more; none at either end, where it would separate nothing.
    std::string number;
    for (char c : joined) {
        if (c == '-' && (number.empty() || number.back() == '-')) continue;
        number += c;
    }
    while (!number.empty() && number.back() == '-') number.pop_back();
    // Rule 6.
    std::string out;
    bool digit = false;
    for (std::size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        const auto letter = [&number](std::size_t k) {
            return k < number.size() && number[k] >= 'A' && number[k] <= 'Z';
        };
        if (c == '-' && (letter(i - 1) || letter(i + 1))) continue;
        digit = digit || (c >= '0' && c <= '9');
        out += c;
    }
    return digit ? out : std::string();
}

bool IsAddressNumberText(std::string_view text) {
    for (char c : text) {
        const bool ok =
            (c >= '0' && c <= '9') || c == '-' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!ok) return false;
    }
    return true;
}

}  // namespace diduzozoz
