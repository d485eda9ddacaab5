#include "render/BarCanvas.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "render/CaptionFont.h"
#include "render/DisplayText.h"

namespace diduzozoz {

void BarCanvas::ClearCanvas() {
    // Only the part that was drawn on can hold black; the rest is white already. Most
    // drawings span most of a row: then one fill of whole rows beats a fill per row.
    if (m_usedH == 0 || m_usedW == 0) {
        // nothing drawn since the last clear
    } else if (m_usedW * 2 >= m_width) {
        std::memset(m_pixels.data(), 0, static_cast<std::size_t>(m_usedH) * m_width);
    } else {
        for (int y = 0; y < m_usedH; ++y) {
            std::memset(&m_pixels[static_cast<std::size_t>(y) * m_width], 0, m_usedW);
        }
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
        if (n <= 8) {  // module and bar columns: a call to memset costs more than the bytes
            for (int i = 0; i < n; ++i) row[i] = value;
        } else {
            std::memset(row, value, n);
        }
    }
}

void BarCanvas::MarkUsed(int w, int h) {
    Reserve(w, h);
    m_usedW = std::max(m_usedW, w);
    m_usedH = std::max(m_usedH, h);
}

namespace {

// Rows (or columns) a line from a to b covers along its length: [lo, hi).
void LineSpan(int a, int b, int& lo, int& hi) {
    if (a <= b) {
        lo = a;
        hi = b;
    } else {
        lo = b + 1;
        hi = a + 1;
    }
}

}  // namespace

void BarCanvas::DrawColumns(const std::uint8_t* colours, int count, int x0, int unit, int yTop,
                            int yBarTop, int yBarBottom, int yBottom) {
    if (count <= 0) return;
    unit = std::clamp(unit, 1, kMaxWidth);
    const int before = (unit - 1) / 2;
    const int after = unit / 2;
    const int cx0 = x0 - before;
    const long long right =
        static_cast<long long>(x0) + static_cast<long long>(count - 1) * unit + after + 1;
    const int cx1 = static_cast<int>(std::min<long long>(right, kMaxWidth));
    int lo = 0;
    int hi = 0;
    LineSpan(yTop, yBarTop, lo, hi);
    FillRect(kWhite, cx0, lo, cx1, hi);

    LineSpan(yBarTop, yBarBottom, lo, hi);
    const int rx0 = std::max(cx0, 0);
    const int ry0 = std::max(lo, 0);
    const int ry1 = std::min(hi, kMaxHeight);
    bool anyBlack = false;
    for (int i = 0; i < count && !anyBlack; ++i) anyBlack = colours[i] == kBlack;
    if (!anyBlack || rx0 >= cx1 || ry0 >= ry1) {
        FillRect(kWhite, cx0, lo, cx1, hi);
    } else {
        m_row.assign(static_cast<std::size_t>(cx1 - rx0), 0);
        for (int i = 0; i < count; ++i) {
            if (colours[i] != kBlack) continue;
            const long long c = static_cast<long long>(x0) + static_cast<long long>(i) * unit;
            const int b0 = static_cast<int>(std::max<long long>(c - before, rx0));
            const int b1 = static_cast<int>(std::min<long long>(c + after + 1, cx1));
            if (b0 < b1) std::memset(&m_row[b0 - rx0], 1, b1 - b0);
        }
        MarkUsed(cx1, ry1);
        for (int y = ry0; y < ry1; ++y) {
            std::memcpy(&m_pixels[static_cast<std::size_t>(y) * m_width + rx0], m_row.data(),
                        m_row.size());
        }
    }

    LineSpan(yBarBottom, yBottom, lo, hi);
    FillRect(kWhite, cx0, lo, cx1, hi);
}

void BarCanvas::DrawLine(int colour, int penWidth, int x1, int y1, int x2, int y2) {
    if (penWidth < 1) penWidth = 1;
    if (penWidth > kMaxWidth) penWidth = kMaxWidth;
    // Band across the line: odd widths centred, even widths one pixel more after the line.
    const int before = (penWidth - 1) / 2;
    const int after = penWidth / 2;
    int lo = 0;
    int hi = 0;
    if (x1 == x2) {
        LineSpan(y1, y2, lo, hi);
        FillRect(colour, x1 - before, lo, x1 + after + 1, hi);
    } else if (y1 == y2) {
        LineSpan(x1, x2, lo, hi);
        FillRect(colour, lo, y1 - before, hi, y1 + after + 1);
    }
}

namespace {

// The eight pixel bytes (1 black) of eight glyph bits, the high bit leftmost.
struct ByteSpread {
    std::uint64_t bytes[256];
    constexpr ByteSpread() : bytes() {
        for (int b = 0; b < 256; ++b) {
            std::uint64_t v = 0;
            for (int i = 0; i < 8; ++i) {
                if (b & (0x80 >> i)) v |= std::uint64_t{1} << (8 * i);
            }
            bytes[b] = v;
        }
    }
};
constexpr ByteSpread kSpread;

}  // namespace

void BarCanvas::DrawText(int x, int y, std::string_view text, InternalCodeNames names) {
    // Captions are nearly always printable ASCII, which is shown as it is.
    bool plain = true;
    for (char c : text) plain = plain && c >= 0x20 && c < 0x7F;
    const std::string converted = plain ? std::string() : DisplayText(text, names);
    const std::string_view shown = plain ? text : std::string_view(converted);
    std::size_t i = 0;
    while (i < shown.size() && x < kMaxWidth) {
        const char32_t cp = DecodeUtf8(shown, i);
        const CaptionGlyph& g = CaptionGlyphFor(cp);
        const bool inside =
            x >= 0 && y >= 0 && x + g.width <= kMaxWidth && y + kCaptionCellHeight <= kMaxHeight;
        if (inside && std::endian::native == std::endian::little) {
            // The whole cell is on the canvas: every row written whole, background included.
            MarkUsed(x + g.width, y + kCaptionCellHeight);
            for (int row = 0; row < kCaptionCellHeight; ++row) {
                std::uint8_t* line = &m_pixels[static_cast<std::size_t>(y + row) * m_width + x];
                for (int half = 0; half < g.width / 8; ++half) {
                    const std::uint64_t v = kSpread.bytes[(g.rows[row] >> (8 - 8 * half)) & 0xFF];
                    std::memcpy(line + 8 * half, &v, 8);
                }
            }
            x += g.width;
            continue;
        }
        // Cut by an edge of the canvas: pixel by pixel. Opaque background first.
        FillRect(kWhite, x, y, x + g.width, y + kCaptionCellHeight);
        const int cellX1 = std::min(x + g.width, kMaxWidth);
        const int cellY1 = std::min(y + kCaptionCellHeight, kMaxHeight);
        if (cellX1 <= 0 || cellY1 <= 0) {  // wholly left of or above the canvas
            x += g.width;
            continue;
        }
        MarkUsed(cellX1, cellY1);
        for (int row = 0; row < kCaptionCellHeight; ++row) {
            const int py = y + row;
            const unsigned bits = g.rows[row];
            if (bits == 0 || py < 0 || py >= kMaxHeight) continue;
            std::uint8_t* line = &m_pixels[static_cast<std::size_t>(py) * m_width];
            for (int col = 0; col < g.width; ++col) {
                const int px = x + col;
                if ((bits & (0x8000u >> col)) && px >= 0 && px < kMaxWidth) line[px] = 1;
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
    // Every byte is written below, so the buffer is only resized, never cleared first.
    out.resize(static_cast<std::size_t>(w) * h);
    const int cw = std::min(w, m_usedW);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* dst = out.data() + static_cast<std::size_t>(y) * w;
        int copied = 0;
        if (y < m_usedH && cw > 0) {
            std::memcpy(dst, &m_pixels[static_cast<std::size_t>(y) * m_width], cw);
            copied = cw;
        }
        if (copied < w) std::memset(dst + copied, 0, w - copied);
    }
}

}  // namespace diduzozoz
