// The two-colour pixel surface every code type draws on, and its drawing operations.
//
// Pixel rules (the only place they live):
// - A line from (x1, y) to (x2, y) covers the columns from x1 up to, but not including, x2
//   (from x2 + 1 to x1 when x2 < x1); vertical lines likewise cover rows y1 .. y2 - 1.
// - A pen w pixels wide covers a band w wide across the line: for odd w centred on it, for
//   even w with the extra pixel after it (w = 2 at x covers x and x + 1). Lines w apart tile.
// - Line ends are flat for every width: a wide line covers the same span along its length
//   as a one-pixel line, so module columns never spill into the rows above or below them.
// - Only horizontal and vertical lines are drawn; nothing in the program draws others.
// The canvas behaves as an unbounded white sheet up to kMaxWidth x kMaxHeight; storage grows
// as drawing reaches further, and anything beyond the bound is clipped.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "render/DisplayText.h"

namespace diduzozoz {

inline constexpr int kWhite = 0;
inline constexpr int kBlack = 1;

class BarCanvas {
  public:
    static constexpr int kMaxWidth = 16384;
    static constexpr int kMaxHeight = 2048;

    // Fills the whole canvas with white.
    void ClearCanvas();
    // colour 1 draws black, any other value white.
    void DrawLine(int colour, int penWidth, int x1, int y1, int x2, int y2);
    // The same pixels as count module columns drawn one by one, each as three vertical lines
    // of pen width `unit` at x0 + i * unit: white from yTop to yBarTop, colours[i] (1 black)
    // from yBarTop to yBarBottom, white from yBarBottom to yBottom. Drawn row by row, since
    // neighbouring bands tile and never overlap.
    void DrawColumns(const std::uint8_t* colours, int count, int x0, int unit, int yTop,
                     int yBarTop, int yBarBottom, int yBottom);
    // Draws text with the 8 x 16 caption font, black on opaque white, cell corner at (x, y).
    // The text is shown as DisplayText() shows it with the code type's names.
    void DrawText(int x, int y, std::string_view text, InternalCodeNames names = nullptr);

    // 1 for black, 0 for white; anything outside the stored area is white.
    int Pixel(int x, int y) const;
    // Width and height of the area that holds any drawing since the last clear.
    int UsedWidth() const { return m_usedW; }
    int UsedHeight() const { return m_usedH; }
    // Copies the rectangle (0, 0)-(w, h) into out, one byte per pixel (1 black), row-major.
    void CopyRect(int w, int h, std::vector<std::uint8_t>& out) const;
    // Row pointer into storage, or nullptr beyond the stored rows; for fast readers.
    const std::uint8_t* Row(int y) const;
    int StoredWidth() const { return m_width; }

  private:
    void FillRect(int colour, int x0, int y0, int x1, int y1);  // [x0, x1) x [y0, y1)
    void Reserve(int w, int h);
    void MarkUsed(int w, int h);

    std::vector<std::uint8_t> m_row;  // one row of DrawColumns, reused
    std::vector<std::uint8_t> m_pixels;
    int m_width = 0;
    int m_height = 0;
    int m_usedW = 0;  // extent that may hold black since the last clear
    int m_usedH = 0;
};

}  // namespace diduzozoz
