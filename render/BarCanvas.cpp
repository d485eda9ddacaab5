#include "render/BarCanvas.h"

#include <algorithm>
#include <cstring>

#include "render/CaptionFont.h"
#include "render/DisplayText.h"

namespace diduzozoz {

void BarCanvas::ClearCanvas() {
    // Only the part that was drawn on can hold black; the rest is white already.
    for (int y = 0; y < m_usedH; ++y) {
        std::memset(&m_pixels[static_cast<std::size_t>(y) * m_width], 0, m_usedW);
    }
    m_usedW = 0;
    m_usedH = 0;
}

void BarCanvas::Reserve(int w, int h) {
    if (w <= m_width && h <= m_height) return;
    // Grow geometrically so a run that reaches further step by step reallocates rarely.
    int nw = std::min(kMaxWidth, std::max({w, m_width, std::min(m_width * 2, kMaxWidth), 64}));
    int nh = std::min(kMaxHeight, std::max({h, m_height, std::min(m_height * 2, kMaxHeight), 16}));
    std::vector<std::uint8_t> grown(static_cast<std::size_t>(nw) * nh, 0);
    for (int y = 0; y < m_usedH; ++y) {
        std::memcpy(&grown[static_cast<std::size_t>(y) * nw],
                    &m_pixels[static_cast<std::size_t>(y) * m_width], m_usedW);
    }
    m_pixels.swap(grown);
    m_width = nw;
    m_height = nh;
}

void BarCanvas::FillRect(int colour, int x0, int y0, int x1, int y1) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, kMaxWidth);
    y1 = std::min(y1, kMaxHeight);
    if (x0 >= x1 || y0 >= y1) return;
    const std::uint8_t value = colour == kBlack ? 1 : 0;
    if (value == 0) {
        // White beyond the used extent is already white: no need to grow for it.
        x1 = std::min(x1, m_usedW);
        y1 = std::min(y1, m_usedH);
        if (x0 >= x1 || y0 >= y1) return;
    } else {
        Reserve(x1, y1);
        m_usedW = std::max(m_usedW, x1);
        m_usedH = std::max(m_usedH, y1);
    }
    const int n = x1 - x0;
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* row = &m_pixels[static_cast<std::size_t>(y) * m_width + x0];
        if (n == 1) {
            *row = value;
        } else {
            std::memset(row, value, n);
        }
    }
}

void BarCanvas::DrawLine(int colour, int penWidth, int x1, int y1, int x2, int y2) {
    if (penWidth < 1) penWidth = 1;
    if (penWidth > kMaxWidth) penWidth = kMaxWidth;
    // Band across the line: odd widths centred, even widths one pixel more after the line.
    const int before = (penWidth - 1) / 2;
    const int after = penWidth / 2;
    auto span = [](int a, int b, int& lo, int& hi) {  // half-open [lo, hi) along the line
        if (a <= b) {
            lo = a;
            hi = b;
        } else {
            lo = b + 1;
            hi = a + 1;
        }
    };
    int lo = 0;
    int hi = 0;
    if (x1 == x2) {
        span(y1, y2, lo, hi);
        FillRect(colour, x1 - before, lo, x1 + after + 1, hi);
    } else if (y1 == y2) {
        span(x1, x2, lo, hi);
        FillRect(colour, lo, y1 - before, hi, y1 + after + 1);
    }
}

void BarCanvas::DrawText(int x, int y, std::string_view text) {
    const std::string shown = DisplayText(text);
    std::size_t i = 0;
    while (i < shown.size() && x < kMaxWidth) {
        const char32_t cp = DecodeUtf8(shown, i);
        const CaptionGlyph& g = CaptionGlyphFor(cp);
        // Opaque background first, then the glyph's black pixels.
        FillRect(kWhite, x, y, x + g.width, y + kCaptionCellHeight);
        for (int row = 0; row < kCaptionCellHeight; ++row) {
            const unsigned bits = g.rows[row];
            if (bits == 0) continue;
            for (int col = 0; col < g.width; ++col) {
                if (bits & (0x8000u >> col))
                    FillRect(kBlack, x + col, y + row, x + col + 1, y + row + 1);
            }
        }
        x += g.width;
    }
}

int BarCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_usedW || y >= m_usedH) return kWhite;
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

const std::uint8_t* BarCanvas::Row(int y) const {
    if (y < 0 || y >= m_usedH) return nullptr;
    return &m_pixels[static_cast<std::size_t>(y) * m_width];
}

void BarCanvas::CopyRect(int w, int h, std::vector<std::uint8_t>& out) const {
    w = std::max(w, 0);
    h = std::max(h, 0);
    out.assign(static_cast<std::size_t>(w) * h, 0);
    const int cw = std::min(w, m_usedW);
    const int ch = std::min(h, m_usedH);
    for (int y = 0; y < ch; ++y) {
        std::memcpy(&out[static_cast<std::size_t>(y) * w],
                    &m_pixels[static_cast<std::size_t>(y) * m_width], cw);
    }
}

}  // namespace diduzozoz
