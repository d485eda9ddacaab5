// Our own reader: the runs of one row through the bars (inside a frame, where there is one),
// decoded by the patterns of the published standards. Strict, as pixel-exact images allow:
// every element must have its width in whole modules, every character its pattern, every check
// character its value.
#include "verify/OwnReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "symbology/BarcodeSettings.h"
#include "verify/Scan.h"

namespace diduzozoz::verify {
namespace {

// The widths of the elements from the first bar to the last: bar, space, bar, ..., bar.
std::vector<int> ElementsOf(const Scan& scan) {
    std::vector<int> w;
    for (std::size_t i = 0; i < scan.bars.size(); ++i) {
        if (i > 0) w.push_back(scan.bars[i].first - scan.bars[i - 1].second);
        w.push_back(scan.bars[i].second - scan.bars[i].first);
    }
    return w;
}

ReadResult Read(const char* format, std::string bytes) {
    ReadResult r;
    r.status = ReadResult::Status::kRead;
    r.format = format;
    r.bytes = std::move(bytes);
    return r;
}

// --- Two widths: Code 39 and Codabar --------------------------------------------------------

// Each element narrow (0) or wide (1) by the midpoint between the narrowest and the widest
// element of the symbol; nothing when all have one width.
std::optional<std::vector<int>> NarrowWide(const std::vector<int>& w) {
    const auto [lo, hi] = std::minmax_element(w.begin(), w.end());
    if (w.empty() || *hi < 2 * *lo) return std::nullopt;  // wide is at least twice narrow
    std::vector<int> bits(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) bits[i] = 2 * w[i] > *lo + *hi ? 1 : 0;
    return bits;
}

int PackBits(const std::vector<int>& bits, std::size_t from, std::size_t n) {
    int v = 0;
    for (std::size_t i = 0; i < n; ++i) v = (v << 1) | bits[from + i];
    return v;
}

// Code 39 (ISO/IEC 16388): nine elements, three of them wide, a bit each from the first bar;
// in the order of the characters' values, the start/stop "*" last.
constexpr char kCode39Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr int kCode39Patterns[] = {
    0x034, 0x121, 0x061, 0x160, 0x031, 0x130, 0x070, 0x025, 0x124, 0x064,  // 0-9
    0x109, 0x049, 0x148, 0x019, 0x118, 0x058, 0x00D, 0x10C, 0x04C, 0x01C,  // A-J
    0x103, 0x043, 0x142, 0x013, 0x112, 0x052, 0x007, 0x106, 0x046, 0x016,  // K-T
    0x181, 0x0C1, 0x1C0, 0x091, 0x190, 0x0D0, 0x085, 0x184, 0x0C4,         // U-Z - . space
    0x0A8, 0x0A2, 0x08A, 0x02A, 0x094,                                     // $ / + % *
};
static_assert(std::size(kCode39Patterns) == sizeof kCode39Chars - 1);

std::optional<ReadResult> ReadCode39(const std::vector<int>& w, bool withCheck) {
    // n characters of nine elements and the narrow gaps between them.
    if (w.size() < 19 || (w.size() + 1) % 10 != 0) return std::nullopt;
    const auto bits = NarrowWide(w);
    if (!bits) return std::nullopt;
    std::string chars;
    for (std::size_t at = 0; at < w.size(); at += 10) {
        if (at + 9 < w.size() && (*bits)[at + 9] != 0) return std::nullopt;  // a wide gap
        const int v = PackBits(*bits, at, 9);
        const int* p = std::find(std::begin(kCode39Patterns), std::end(kCode39Patterns), v);
        if (p == std::end(kCode39Patterns)) return std::nullopt;
        chars += kCode39Chars[p - kCode39Patterns];
    }
    // "*" frames the data and stands nowhere inside it.
    if (chars.front() != '*' || chars.back() != '*') return std::nullopt;
    std::string data = chars.substr(1, chars.size() - 2);
    if (data.empty() || data.find('*') != std::string::npos) return std::nullopt;
    if (withCheck) {
        int sum = 0;
        for (std::size_t i = 0; i + 1 < data.size(); ++i) {
            sum += static_cast<int>(std::string_view(kCode39Chars).find(data[i]));
        }
        const auto check = std::string_view(kCode39Chars).find(data.back());
        if (data.size() < 2 || static_cast<int>(check) != sum % 43) return std::nullopt;
        data.pop_back();
    }
    return Read("CODE39", data);
}

// Codabar (ANSI/AIM BC3): seven elements, two or three wide; the start and stop letters A-D
// frame the data and stand nowhere inside it.
constexpr char kCodabarChars[] = "0123456789-$:/.+ABCD";
constexpr int kCodabarPatterns[] = {
    0x03, 0x06, 0x09, 0x60, 0x12, 0x42, 0x21, 0x24, 0x30, 0x48,  // 0-9
    0x0C, 0x18, 0x45, 0x51, 0x54, 0x15,                          // - $ : / . +
    0x1A, 0x29, 0x0B, 0x0E,                                      // A-D
};
static_assert(std::size(kCodabarPatterns) == sizeof kCodabarChars - 1);

bool IsCodabarLetter(char c) {
    return c >= 'A' && c <= 'D';
}

std::optional<ReadResult> ReadCodabar(const std::vector<int>& w) {
    if (w.size() < 15 || (w.size() + 1) % 8 != 0) return std::nullopt;
    const auto bits = NarrowWide(w);
    if (!bits) return std::nullopt;
    std::string chars;
    for (std::size_t at = 0; at < w.size(); at += 8) {
        if (at + 7 < w.size() && (*bits)[at + 7] != 0) return std::nullopt;
        const int v = PackBits(*bits, at, 7);
        const int* p = std::find(std::begin(kCodabarPatterns), std::end(kCodabarPatterns), v);
        if (p == std::end(kCodabarPatterns)) return std::nullopt;
        chars += kCodabarChars[p - kCodabarPatterns];
    }
    // Two data characters at least, as scanners ask, so a stray pair of letters is no symbol.
    if (chars.size() < 4 || !IsCodabarLetter(chars.front()) || !IsCodabarLetter(chars.back()) ||
        std::any_of(chars.begin() + 1, chars.end() - 1, IsCodabarLetter)) {
        return std::nullopt;
    }
    return Read("CODABAR", chars);
}

// --- Four widths: EAN-13 and Code 128 -------------------------------------------------------

// Widths in whole modules of up to seven elements.
using Widths = std::array<int, 7>;

// The widths in whole modules of n elements whose sum is `modules` modules: nothing where an
// element is not a whole number of them (a quarter of a module's slack) or lies outside 1..4.
std::optional<Widths> Modules(const std::vector<int>& w, std::size_t from, std::size_t n,
                              int modules) {
    int sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += w[from + i];
    Widths out{};
    int total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // w * modules / sum, rounded, checked to lie near a whole number.
        const int scaled = w[from + i] * modules * 4;
        const int m = (scaled + 2 * sum) / (4 * sum);
        if (m < 1 || m > 4 || std::abs(scaled - m * 4 * sum) > sum) return std::nullopt;
        out[i] = m;
        total += m;
    }
    if (total != modules) return std::nullopt;
    return out;
}

// EAN-13 (ISO/IEC 15420): the L digits' widths, space bar space bar; G is L reversed, R is L
// from a bar. The first digit is the pattern of L and G over the left six digits.
constexpr int kEanL[10][4] = {{3, 2, 1, 1}, {2, 2, 2, 1}, {2, 1, 2, 2}, {1, 4, 1, 1}, {1, 1, 3, 2},
                              {1, 2, 3, 1}, {1, 1, 1, 4}, {1, 3, 1, 2}, {1, 2, 1, 3}, {3, 1, 1, 2}};
constexpr int kEanFirst[10] = {0x00, 0x0B, 0x0D, 0x0E, 0x13, 0x19, 0x1C, 0x15, 0x16, 0x1A};

// The digit of four widths, with whether they are its G form; -1 for none.
int EanDigit(const Widths& m, bool& g) {
    for (int d = 0; d < 10; ++d) {
        const int* l = kEanL[d];
        if (m[0] == l[0] && m[1] == l[1] && m[2] == l[2] && m[3] == l[3]) {
            g = false;
            return d;
        }
        if (m[0] == l[3] && m[1] == l[2] && m[2] == l[1] && m[3] == l[0]) {
            g = true;
            return d;
        }
    }
    return -1;
}

std::optional<ReadResult> ReadEan13(const std::vector<int>& w) {
    if (w.size() != 59) return std::nullopt;  // 3 + 24 + 5 + 24 + 3 elements
    auto guard = [&](std::size_t from, std::size_t n) {
        const auto m = Modules(w, from, n, static_cast<int>(n));
        return m && std::all_of(m->begin(), m->begin() + static_cast<std::ptrdiff_t>(n),
                                [](int x) { return x == 1; });
    };
    if (!guard(0, 3) || !guard(27, 5) || !guard(56, 3)) return std::nullopt;
    std::string digits(13, '0');
    int parity = 0;
    for (int i = 0; i < 12; ++i) {
        const std::size_t from = i < 6 ? 3 + 4 * i : 32 + 4 * (i - 6);
        const auto m = Modules(w, from, 4, 7);
        if (!m) return std::nullopt;
        bool g = false;
        const int d = EanDigit(*m, g);
        if (d < 0 || (i >= 6 && g)) return std::nullopt;  // the right half has no G digits
        if (i < 6) parity = (parity << 1) | (g ? 1 : 0);
        digits[static_cast<std::size_t>(i + 1)] = static_cast<char>('0' + d);
    }
    const int* first = std::find(std::begin(kEanFirst), std::end(kEanFirst), parity);
    if (first == std::end(kEanFirst)) return std::nullopt;
    digits[0] = static_cast<char>('0' + (first - kEanFirst));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (digits[static_cast<std::size_t>(i)] - '0') * (i % 2 ? 3 : 1);
    if ((10 - sum % 10) % 10 != digits[12] - '0') return std::nullopt;
    return Read("EAN-13", digits);
}

// EAN-8 (ISO/IEC 15420): four L digits, the centre guard, four R digits; no first digit.
std::optional<ReadResult> ReadEan8(const std::vector<int>& w) {
    if (w.size() != 43) return std::nullopt;  // 3 + 16 + 5 + 16 + 3 elements
    auto guard = [&](std::size_t from, std::size_t n) {
        const auto m = Modules(w, from, n, static_cast<int>(n));
        return m && std::all_of(m->begin(), m->begin() + static_cast<std::ptrdiff_t>(n),
                                [](int x) { return x == 1; });
    };
    if (!guard(0, 3) || !guard(19, 5) || !guard(40, 3)) return std::nullopt;
    std::string digits(8, '0');
    for (int i = 0; i < 8; ++i) {
        const std::size_t from = i < 4 ? 3 + 4 * i : 24 + 4 * (i - 4);
        const auto m = Modules(w, from, 4, 7);
        if (!m) return std::nullopt;
        bool g = false;
        const int d = EanDigit(*m, g);
        if (d < 0 || g) return std::nullopt;  // EAN-8 has no G digits
        digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + d);
    }
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += (digits[static_cast<std::size_t>(i)] - '0') * (i % 2 ? 1 : 3);
    if ((10 - sum % 10) % 10 != digits[7] - '0') return std::nullopt;
    return Read("EAN-8", digits);
}

// --- Interleaved 2 of 5 (ISO/IEC 16390) -----------------------------------------------------

// The five elements of each digit, a bit each (1 wide), from the first.
constexpr int kItfDigits[10] = {0x06, 0x11, 0x09, 0x18, 0x05, 0x14, 0x0C, 0x03, 0x12, 0x0A};
// As readers are set by default, fewer digits are refused: a short ITF is what a partial scan
// of a longer one looks like.
constexpr std::size_t kItfMinDigits = 6;

std::optional<ReadResult> ReadItf(const std::vector<int>& w) {
    // Start (4 elements), 10 a pair of digits, stop (3).
    if (w.size() < 7 + 10 * (kItfMinDigits / 2) || (w.size() - 7) % 10 != 0) return std::nullopt;
    const auto bits = NarrowWide(w);
    if (!bits) return std::nullopt;
    // Two widths only, wide 2 to 3 times narrow.
    const auto range = std::minmax_element(w.begin(), w.end());
    const int narrow = *range.first;
    const int wide = *range.second;
    if (wide > 3 * narrow ||
        std::any_of(w.begin(), w.end(), [=](int x) { return x != narrow && x != wide; })) {
        return std::nullopt;
    }
    const std::vector<int>& b = *bits;
    if (b[0] || b[1] || b[2] || b[3]) return std::nullopt;
    const std::size_t end = w.size() - 3;
    if (!b[end] || b[end + 1] || b[end + 2]) return std::nullopt;
    std::string digits;
    for (std::size_t at = 4; at < end; at += 10) {
        for (std::size_t first : {at, at + 1}) {  // the bars, then the spaces
            int v = 0;
            for (std::size_t k = 0; k < 5; ++k) v = (v << 1) | b[first + 2 * k];
            const int* p = std::find(std::begin(kItfDigits), std::end(kItfDigits), v);
            if (p == std::end(kItfDigits)) return std::nullopt;
            digits += static_cast<char>('0' + (p - kItfDigits));
        }
    }
    return Read("ITF", digits);
}

// Code 128 (ISO/IEC 15417): the six widths of every symbol value, bar first; the stop has
// seven.
constexpr char kCode128Widths[106][7] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232",
};
constexpr int kStartA = 103, kStartC = 105;  // set B's start is 104
constexpr int kFnc1 = 102, kShift = 98, kCodeC = 99;

int Code128Value(const Widths& m) {
    for (int v = 0; v < 106; ++v) {
        bool same = true;
        for (int i = 0; i < 6 && same; ++i)
            same = m[static_cast<std::size_t>(i)] == kCode128Widths[v][i] - '0';
        if (same) return v;
    }
    return -1;
}

std::optional<ReadResult> ReadCode128(const std::vector<int>& w) {
    // Start, data, check and stop: 6 elements a symbol, 7 for the stop.
    if (w.size() < 6 * 3 + 7 || (w.size() - 7) % 6 != 0) return std::nullopt;
    const auto stop = Modules(w, w.size() - 7, 7, 13);
    if (!stop || *stop != Widths{2, 3, 3, 1, 1, 1, 2}) return std::nullopt;
    std::vector<int> values;
    for (std::size_t at = 0; at + 7 < w.size(); at += 6) {
        const auto m = Modules(w, at, 6, 11);
        if (!m) return std::nullopt;
        const int v = Code128Value(*m);
        if (v < 0) return std::nullopt;
        values.push_back(v);
    }
    if (values[0] < kStartA || values[0] > kStartC) return std::nullopt;
    int sum = values[0];
    for (std::size_t i = 1; i + 1 < values.size(); ++i) {
        if (values[i] >= kStartA) return std::nullopt;  // a start inside the symbol
        sum += static_cast<int>(i) * values[i];
    }
    if (sum % 103 != values.back()) return std::nullopt;

    // The data symbols as bytes, through the sets, shifts and function characters.
    char set = static_cast<char>('A' + (values[0] - kStartA));
    std::string bytes;
    bool shifted = false;
    int fnc4 = 0;  // 1: the next character only, 2: until a second pair
    for (std::size_t i = 1; i + 1 < values.size(); ++i) {
        const int v = values[i];
        const char current = shifted ? (set == 'A' ? 'B' : 'A') : set;
        shifted = false;
        auto add = [&](int c) {
            if (fnc4 != 0) c += 128;
            if (fnc4 == 1) fnc4 = 0;
            bytes += static_cast<char>(c);
        };
        if (current == 'C') {
            if (v < 100) {
                bytes += static_cast<char>('0' + v / 10);
                bytes += static_cast<char>('0' + v % 10);
            } else if (v == 100 || v == 101) {
                set = v == 100 ? 'B' : 'A';
            } else if (v == kFnc1 && i > 1) {
                bytes += '\x1D';
            }
            continue;
        }
        if (v < 64 || (current == 'B' && v < 96)) {
            add(v + 32);
        } else if (current == 'A' && v < 96) {
            add(v - 64);
        } else if (v == kShift) {
            shifted = true;
        } else if (v == kCodeC) {
            set = 'C';
        } else if ((current == 'A' && v == 100) || (current == 'B' && v == 101)) {
            set = current == 'A' ? 'B' : 'A';
        } else if ((current == 'A' && v == 101) || (current == 'B' && v == 100)) {
            fnc4 = fnc4 == 0 ? 1 : 2;
        } else if (v == kFnc1 && i > 1) {
            bytes += '\x1D';  // FNC1 first marks GS1 data; later it separates fields
        }
        // FNC2 and FNC3 carry no data.
    }
    if (bytes.empty()) return std::nullopt;
    // FNC1 right after the start marks GS1-128 (ISO/IEC 15417, FNC1 in the first position):
    // reported as ZXing-C++ reports it, without that FNC1.
    return Read(values[1] == kFnc1 ? "GS1-128" : "CODE128", bytes);
}

constexpr int kMinRows = 2;

class COwnReader : public Reader {
  public:
    ReadResult Read(const ExportImage& image, const ReadRequest& request) const override {
        const Scan scan = ScanBars(image);
        // A symbol is read where its row of bars is repeated at least once: two scan lines
        // must agree, as ZXing-C++, which ours is held to, asks by default.
        if (scan.y < 0 || scan.rows < kMinRows) return {};
        const std::vector<int> w = ElementsOf(scan);
        // The symbology asked for first, then the others: a symbol of another shows as such.
        constexpr int kOrder[] = {kSymbologyNw7, kSymbologyCode39, kSymbologyJan, kSymbologyItf,
                                  kSymbologyCode128};
        auto readAs = [&](int symbology) -> std::optional<ReadResult> {
            switch (symbology) {
                case kSymbologyNw7:
                    return ReadCodabar(w);
                case kSymbologyCode39:
                    return ReadCode39(w, request.code39Check);
                case kSymbologyJan:
                    if (auto r = ReadEan13(w)) return r;
                    return ReadEan8(w);
                case kSymbologyItf:
                    return ReadItf(w);
                case kSymbologyCode128:
                    return ReadCode128(w);
                default:
                    return std::nullopt;
            }
        };
        if (auto r = readAs(request.symbology)) return *r;
        for (int symbology : kOrder) {
            if (symbology == request.symbology) continue;
            if (auto r = readAs(symbology)) return *r;
        }
        return {};
    }
    const char* Name() const override { return "own"; }
};

}  // namespace

const Reader& OwnReader() {
    static const COwnReader reader;
    return reader;
}

}  // namespace diduzozoz::verify
