#include "sheet/Layout.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/BoundedCopy.h"
#include "base/Decimal.h"
#include "base/Quote.h"
#include "base/Strings.h"
#include "render/ExportImage.h"

namespace diduzozoz::sheet {
namespace {

constexpr Micrometres Mm(int whole, int thousandths = 0) {
    return whole * kMillimetre + thousandths;
}

constexpr NamedPage kPages[] = {
    {"a4", Mm(210), Mm(297)},
    {"b5", Mm(182), Mm(257)},  // JIS B5, the B5 of Japanese stationery
    {"a5", Mm(148), Mm(210)},
    {"letter", Mm(215, 900), Mm(279, 400)},
};

// Labels butt against each other; the margins centre the grid on A4.
constexpr NamedLayout kBuiltIn[] = {
    {"a4-3x8", {Mm(210), Mm(297), Mm(70), Mm(37), 3, 8, Mm(70), Mm(37), Mm(0), Mm(0, 500)}},
    {"a4-4x11",
     {Mm(210), Mm(297), Mm(48, 300), Mm(25, 400), 4, 11, Mm(48, 300), Mm(25, 400), Mm(8, 400),
      Mm(8, 800)}},
    {"a4-2x6",
     {Mm(210), Mm(297), Mm(86, 400), Mm(42, 300), 2, 6, Mm(86, 400), Mm(42, 300), Mm(18, 600),
      Mm(21, 600)}},
};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "AxB" as two parts; false when there is no single x between them.
bool SplitPair(std::string_view text, std::string_view& a, std::string_view& b) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos || text.find_first_of("xX", x + 1) != std::string_view::npos)
        return false;
    a = text.substr(0, x);
    b = text.substr(x + 1);
    return true;
}

bool ParseCount(std::string_view text, int& out) {
    const std::optional<std::int64_t> v = ParseDecimal(text, 4);
    if (v) out = static_cast<int>(*v);
    return v.has_value();
}

}  // namespace

std::span<const NamedLayout> BuiltInLayouts() {
    return kBuiltIn;
}

std::span<const NamedPage> Pages() {
    return kPages;
}

bool ParseSizePair(std::string_view text, bool zeroAllowed, Micrometres& a, Micrometres& b,
                   std::string& error) {
    std::string_view ta, tb;
    if (!SplitPair(text, ta, tb)) {
        error = FormatText(str::kSheetBadNumber, ShownInMessage(text).c_str());
        return false;
    }
    for (auto [t, out] : {std::pair{ta, &a}, std::pair{tb, &b}}) {
        const Micrometres v = ParseMillimetres(t);
        if (v == -1) {
            error = FormatText(str::kSheetBadNumber, ShownInMessage(t).c_str());
            return false;
        }
        if (v < 0 || (v == 0 && !zeroAllowed)) {
            error = FormatText(str::kSheetNotPositive, ShownInMessage(t).c_str());
            return false;
        }
        *out = v;
    }
    return true;
}

Micrometres ParseMillimetres(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) return -2;
    const std::size_t point = text.find('.');
    // A million millimetres is no page.
    const std::optional<std::int64_t> whole = ParseDecimal(text.substr(0, point), 6);
    if (!whole) return -1;
    if (point == std::string_view::npos) return *whole * kMillimetre;
    const std::string_view decimals = text.substr(point + 1);
    std::optional<std::int64_t> fraction = ParseDecimal(decimals, 3);
    if (!fraction) return -1;
    for (std::size_t k = decimals.size(); k < 3; ++k) *fraction *= 10;
    return *whole * kMillimetre + *fraction;
}

std::string MillimetreText(Micrometres length) {
    return DecimalText(length, kMillimetre, 3);
}

std::string CheckLayout(const Layout& l) {
    const Micrometres sizes[] = {l.pageWidth, l.pageHeight, l.labelWidth, l.labelHeight};
    for (Micrometres size : sizes) {
        if (size <= 0) return FormatText(str::kSheetNotPositive, MillimetreText(size).c_str());
    }
    if (l.pageWidth > kMaxPageSize || l.pageHeight > kMaxPageSize) {
        return FormatText(str::kSheetPageTooLarge, MillimetreText(l.pageWidth).c_str(),
                          MillimetreText(l.pageHeight).c_str(),
                          MillimetreText(kMaxPageSize).c_str());
    }
    if (l.columns < 1 || l.rows < 1 || l.columns > kMaxGrid || l.rows > kMaxGrid) {
        return FormatText(str::kSheetGridRange, kMaxGrid, kMaxGrid, l.columns, l.rows);
    }
    if (l.left < 0 || l.top < 0) {
        return FormatText(str::kSheetNotPositive, MillimetreText(std::min(l.left, l.top)).c_str());
    }
    if (l.columns > 1 && l.pitchX < l.labelWidth) {
        return FormatText(str::kSheetOverlap, str::kSheetAcross, MillimetreText(l.pitchX).c_str(),
                          str::kSheetWidth, MillimetreText(l.labelWidth).c_str());
    }
    if (l.rows > 1 && l.pitchY < l.labelHeight) {
        return FormatText(str::kSheetOverlap, str::kSheetDown, MillimetreText(l.pitchY).c_str(),
                          str::kSheetHeight, MillimetreText(l.labelHeight).c_str());
    }
    // Every term is bounded above, so none of this overflows.
    const Micrometres right = l.left + (l.columns - 1) * l.pitchX + l.labelWidth;
    const Micrometres bottom = l.top + (l.rows - 1) * l.pitchY + l.labelHeight;
    if (right > l.pageWidth || bottom > l.pageHeight) {
        return FormatText(str::kSheetDoesNotFit, MillimetreText(right).c_str(),
                          MillimetreText(bottom).c_str(), MillimetreText(l.pageWidth).c_str(),
                          MillimetreText(l.pageHeight).c_str());
    }
    return {};
}

Layout ParseLayout(std::string_view text, std::string& error) {
    error.clear();
    const std::string lower = Lower(text);
    for (const NamedLayout& named : kBuiltIn) {
        if (lower == named.name) return named.layout;
    }
    std::array<std::string_view, 6> parts{};
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t colon = lower.find(':', start);
        if (count == parts.size()) {
            count = 0;  // too many parts
            break;
        }
        parts[count++] = std::string_view(lower).substr(
            start, colon == std::string::npos ? std::string::npos : colon - start);
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    const std::string shown = ShownInMessage(text);
    Layout l;
    if (count < 3 || count > 5) {
        error = FormatText(str::kSheetUnknownLayout, shown.c_str());
        return l;
    }
    bool named = false;
    for (const NamedPage& page : kPages) {
        if (parts[0] == page.name) {
            l.pageWidth = page.width;
            l.pageHeight = page.height;
            named = true;
        }
    }
    if (!named && !ParseSizePair(parts[0], false, l.pageWidth, l.pageHeight, error)) return l;
    std::string_view tc, tr;
    if (!SplitPair(parts[1], tc, tr) || !ParseCount(tc, l.columns) || !ParseCount(tr, l.rows)) {
        error = FormatText(str::kSheetUnknownLayout, shown.c_str());
        return l;
    }
    if (!ParseSizePair(parts[2], false, l.labelWidth, l.labelHeight, error)) return l;
    l.pitchX = l.labelWidth;
    l.pitchY = l.labelHeight;
    if (count >= 4 && !ParseSizePair(parts[3], false, l.pitchX, l.pitchY, error)) return l;
    if (count == 5) {
        if (!ParseSizePair(parts[4], true, l.left, l.top, error)) return l;
    } else {
        // Centred; a grid wider than the page is refused below with its sizes.
        const Micrometres w = (std::clamp(l.columns, 1, kMaxGrid) - 1) * l.pitchX + l.labelWidth;
        const Micrometres h = (std::clamp(l.rows, 1, kMaxGrid) - 1) * l.pitchY + l.labelHeight;
        l.left = std::max<Micrometres>(0, (l.pageWidth - w) / 2);
        l.top = std::max<Micrometres>(0, (l.pageHeight - h) / 2);
    }
    error = CheckLayout(l);
    return l;
}

std::int64_t ToDots(Micrometres length, int dpi) {
    constexpr std::int64_t kInch = 25400;  // micrometres
    const std::int64_t scaled = length * dpi;
    return scaled >= 0 ? (2 * scaled + kInch) / (2 * kInch)
                       : -((-2 * scaled + kInch) / (2 * kInch));
}

DotRect LabelDots(const Layout& l, int index, int dpi) {
    const int columns = std::max(l.columns, 1);
    const Micrometres x = l.left + (index % columns) * l.pitchX;
    const Micrometres y = l.top + (index / columns) * l.pitchY;
    DotRect r;
    r.x = ToDots(x, dpi);
    r.y = ToDots(y, dpi);
    r.width = ToDots(x + l.labelWidth, dpi) - r.x;
    r.height = ToDots(y + l.labelHeight, dpi) - r.y;
    return r;
}

bool PlaceBarcode(const Layout& l, const Placement& p, int index, int width, int height,
                  PlacedBarcode& out, std::string& error) {
    out = {};
    out.label = LabelDots(l, index, p.printerDpi);
    out.dotsPerPixel = p.dotsPerPixel > 0 ? p.dotsPerPixel : DotsPerPixel(p.printerDpi);
    out.width = width;
    out.height = height;
    const std::int64_t w = std::int64_t{width} * out.dotsPerPixel;
    const std::int64_t h = std::int64_t{height} * out.dotsPerPixel;
    const std::int64_t dx = p.centred ? 0 : ToDots(p.offsetX, p.printerDpi);
    const std::int64_t dy = p.centred ? 0 : ToDots(p.offsetY, p.printerDpi);
    // Against the fewest dots any label of the layout has, so every copy fits as the first.
    const std::int64_t labelW = l.labelWidth * p.printerDpi / 25400;
    const std::int64_t labelH = l.labelHeight * p.printerDpi / 25400;
    if (w + dx > labelW || h + dy > labelH) {
        // Sizes as printed: whole dots back in millimetres.
        auto mm = [&](std::int64_t dots) {
            return DecimalText(dots * 25400 / p.printerDpi, kMillimetre, 1);
        };
        error =
            FormatText(str::kSheetBarcodeTooLarge, mm(w).c_str(), mm(h).c_str(),
                       MillimetreText(l.labelWidth).c_str(), MillimetreText(l.labelHeight).c_str());
        return false;
    }
    out.x = out.label.x + (p.centred ? (out.label.width - w) / 2 : dx);
    out.y = out.label.y + (p.centred ? (out.label.height - h) / 2 : dy);
    return true;
}

LabelSlot SlotOf(const Layout& l, int firstLabel, std::int64_t placed) {
    const std::int64_t labels = std::max(l.Labels(), 1);
    const std::int64_t position = (firstLabel - 1) + placed;
    return {position / labels, static_cast<int>(position % labels), position + 1};
}

}  // namespace diduzozoz::sheet
