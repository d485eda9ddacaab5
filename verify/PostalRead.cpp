#include "verify/PostalRead.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace diduzozoz::verify {
namespace {

// A bar as the three sections it blackens: upper 4, middle 2, lower 1. A long bar is 7, an
// ascender 6, a descender 3, a timing bar 2.
constexpr int kUpper = 4;
constexpr int kMiddle = 2;
constexpr int kLower = 1;

// Japan Post's customer barcode character table, value by value (0 to 9, the hyphen, CC1 to
// CC8), each symbol's three bars from left to right in the notation above.
constexpr std::array<std::string_view, 19> kSymbolBars = {
    "722", "772", "736", "376", "763", "727", "367", "673", "637", "277",  // 0-9
    "272",                                                                 // -
    "362", "326", "632", "236", "623", "263", "227", "777",                // CC1-CC8
};
constexpr std::string_view kStartBars = "73";
constexpr std::string_view kStopBars = "37";

constexpr int kDataSymbols = 20;  // postal code 7, reference positions 13
constexpr int kCodeDigits = 7;
constexpr int kFill = 14;  // CC4 fills the reference positions after the number
constexpr int kCC1 = 11;   // CC1 to CC3 and a digit write a letter
constexpr int kCC3 = 13;
constexpr int kBarsWithCheck = 2 + 3 * (kDataSymbols + 1) + 2;
constexpr int kBarsWithoutCheck = 2 + 3 * kDataSymbols + 2;

int ValueOf(std::string_view bars) {
    for (std::size_t v = 0; v < kSymbolBars.size(); ++v) {
        if (kSymbolBars[v] == bars) return static_cast<int>(v);
    }
    return -1;
}

}  // namespace

std::string PostalSymbolName(int value) {
    if (value >= 0 && value <= 9) return std::string(1, static_cast<char>('0' + value));
    if (value == 10) return "-";
    if (value >= 11 && value <= 18) return "(CC" + std::to_string(value - 10) + ")";
    return "?";
}

int PostalCheckOf(const std::vector<int>& data) {
    int sum = 0;
    for (int v : data) sum += v;
    return (19 - sum % 19) % 19;
}

PostalRead ReadPostal(const ExportImage& image, const Scan& scan) {
    PostalRead out;
    if (scan.y < 0 || !IsWhole(image)) {
        out.where = "bars";
        return out;
    }
    // Each bar's black extent up and down its centre column from the scan row, which crosses
    // the middle section that every bar has.
    const int w = image.width;
    auto black = [&](int x, int y) {
        return image.pixels[static_cast<std::size_t>(y) * w + x] != 0;
    };
    std::vector<std::pair<int, int>> extents;  // [top, bottom)
    for (const auto& [x0, x1] : scan.bars) {
        const int x = (x0 + x1 - 1) / 2;
        int top = scan.y;
        while (top > 0 && black(x, top - 1)) --top;
        int bottom = scan.y + 1;
        while (bottom < image.height && black(x, bottom)) ++bottom;
        extents.emplace_back(top, bottom);
    }
    int top = image.height;
    int bottom = 0;
    for (const auto& [t, b] : extents) {
        top = std::min(top, t);
        bottom = std::max(bottom, b);
    }
    // A long bar spans the three sections; the others are measured against it.
    const double section = (bottom - top) / 3.0;
    std::string bars;
    for (std::size_t i = 0; i < extents.size(); ++i) {
        const auto [t, b] = extents[i];
        if (section < 1 || t > top + section + 0.5 || b < bottom - section - 0.5) {
            out.where = "bar";
            out.number = static_cast<int>(i + 1);
            return out;
        }
        int kind = kMiddle;
        if (t < top + section / 2) kind |= kUpper;
        if (b > bottom - section / 2) kind |= kLower;
        bars += static_cast<char>('0' + kind);
    }
    const int n = static_cast<int>(bars.size());
    if (n != kBarsWithCheck && n != kBarsWithoutCheck) {
        out.where = "bars";
        out.number = n;
        return out;
    }
    const std::string_view all = bars;
    if (all.substr(0, 2) != kStartBars) {
        out.where = "start";
        return out;
    }
    if (all.substr(n - 2) != kStopBars) {
        out.where = "stop";
        return out;
    }
    const int symbols = (n - 4) / 3;
    std::vector<int> values;
    for (int s = 0; s < symbols; ++s) {
        const int v = ValueOf(all.substr(2 + 3 * s, 3));
        if (v < 0) {
            out.where = "symbol";
            out.number = s + 1;
            return out;
        }
        values.push_back(v);
    }
    out.data.assign(values.begin(), values.begin() + kDataSymbols);
    if (symbols > kDataSymbols) out.check = values[kDataSymbols];
    out.ok = true;

    for (int i = 0; i < kCodeDigits; ++i) out.text += PostalSymbolName(out.data[i]);
    out.text += " - ";
    int end = kDataSymbols;
    while (end > kCodeDigits && out.data[end - 1] == kFill) --end;
    for (int i = kCodeDigits; i < end; ++i) {
        // CC1, CC2 or CC3 and a digit: a letter, A to Z.
        const int v = out.data[i];
        const int letter = i + 1 < end && v >= kCC1 && v <= kCC3 && out.data[i + 1] <= 9
                               ? (v - kCC1) * 10 + out.data[i + 1]
                               : -1;
        if (letter >= 0 && letter < 26) {
            out.text += static_cast<char>('A' + letter);
            ++i;
        } else {
            out.text += PostalSymbolName(v);
        }
    }
    return out;
}

std::string PostalNumberAsRead(std::string_view number) {
    std::string out;
    int room = kDataSymbols - kCodeDigits;
    for (char c : number) {
        const bool letter = c >= 'A' && c <= 'Z';
        if (room == 0 || (!letter && !(c >= '0' && c <= '9') && c != '-')) break;
        if (letter && room == 1) {
            out += PostalSymbolName(kCC1 + (c - 'A') / 10);
            break;
        }
        out += c;
        room -= letter ? 2 : 1;
    }
    return out;
}

}  // namespace diduzozoz::verify
