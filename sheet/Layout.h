// A sheet of labels: the page, the labels' size, their grid and where it sits, all in
// micrometres so that millimetres with decimals stay exact; and where a label and its
// barcode fall in printer dots. Pure geometry: no files, no drawing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace diduzozoz::sheet {

using Micrometres = std::int64_t;
inline constexpr Micrometres kMillimetre = 1000;

struct Layout {
    Micrometres pageWidth = 0;
    Micrometres pageHeight = 0;
    Micrometres labelWidth = 0;
    Micrometres labelHeight = 0;
    int columns = 0;
    int rows = 0;
    Micrometres pitchX = 0;  // from one label's left edge to the next one's
    Micrometres pitchY = 0;
    Micrometres left = 0;  // page edge to the first label's edge
    Micrometres top = 0;

    int Labels() const { return columns * rows; }
    bool operator==(const Layout&) const = default;
};

// Bounds that keep every position a small whole number of dots at any resolution.
inline constexpr Micrometres kMaxPageSize = 2000 * kMillimetre;
inline constexpr int kMaxGrid = 100;  // columns, and rows

struct NamedLayout {
    const char* name;  // as the command line takes it, e.g. "a4-4x11"
    Layout layout;
};
// The built-in layouts, each centred on its page without gaps between labels.
std::span<const NamedLayout> BuiltInLayouts();

struct NamedPage {
    const char* name;
    Micrometres width;
    Micrometres height;
};
std::span<const NamedPage> Pages();

// What is wrong with the layout (empty when nothing): sizes of 0, a grid that overlaps
// itself or does not fit the page.
std::string CheckLayout(const Layout& layout);

// A built-in layout's name, or the custom form PAGE:COLSxROWS:LWxLH[:PXxPY[:LEFTxTOP]] where
// PAGE is a page's name or WxH, sizes in millimetres with up to three decimals. Without a
// pitch the labels touch; without margins the grid is centred on the page. Empty error
// when the layout was read and checked.
Layout ParseLayout(std::string_view text, std::string& error);

// Millimetres with up to three decimals ("48.3", "8.4"), or -1 when text is not one; a
// number with a sign is -2, so that a negative size is told as such.
Micrometres ParseMillimetres(std::string_view text);
// "AxB" in millimetres, each greater than 0 (or at least 0 when zeroAllowed); false (and error
// says why) when text is not that.
bool ParseSizePair(std::string_view text, bool zeroAllowed, Micrometres& a, Micrometres& b,
                   std::string& error);
// Micrometres as millimetres for messages: "48.3", "70".
std::string MillimetreText(Micrometres length);

// Where things fall at a printer's resolution, in whole dots from the page's top-left corner.
struct DotRect {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};
std::int64_t ToDots(Micrometres length, int dpi);
// The label at index (0-based, row by row) as whole dots: its edges rounded to the nearest dot.
DotRect LabelDots(const Layout& layout, int index, int dpi);

// How a barcode sits in its label.
struct Placement {
    int printerDpi = 600;
    // Dots a barcode pixel; 0: the whole number nearest to 1/96 inch, DotsPerPixel(printerDpi).
    int dotsPerPixel = 0;
    bool centred = true;  // else at offsetX, offsetY from the label's top-left corner
    Micrometres offsetX = 0;
    Micrometres offsetY = 0;
};

// The barcode of W x H pixels in the label at index: the top-left corner on a whole dot and
// one pixel as a whole number of dots, so that bars of a kind are equal. False (and
// error says why, with both sizes) when it does not fit its label.
struct PlacedBarcode {
    DotRect label;
    std::int64_t x = 0;
    std::int64_t y = 0;
    int dotsPerPixel = 1;
    int width = 0;  // pixels
    int height = 0;
};
bool PlaceBarcode(const Layout& layout, const Placement& placement, int index, int width,
                  int height, PlacedBarcode& out, std::string& error);

// Filling order: labels row by row, left to right, top to bottom, sheet after sheet; the
// first sheet starts at label firstLabel (from 1), the ones before it are already used.
struct LabelSlot {
    std::int64_t sheet = 0;   // from 0
    int index = 0;            // on its sheet, from 0
    std::int64_t number = 0;  // over the run, from 1: (sheet * labels) + index + 1
};
LabelSlot SlotOf(const Layout& layout, int firstLabel, std::int64_t placed);

}  // namespace diduzozoz::sheet
