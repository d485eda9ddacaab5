// The caption font: fixed 8 x 16 cells (16 x 16 for the control pictures), generated at build
// time from GNU Unifont, so captions are identical everywhere and need no font set-up.
#pragma once

#include <cstdint>

namespace diduzozoz {

inline constexpr int kCaptionCellWidth = 8;
inline constexpr int kCaptionCellHeight = 16;

struct CaptionGlyph {
    char32_t codePoint;
    int width;               // 8 or 16 pixels
    std::uint16_t rows[16];  // bit 15 is the leftmost pixel
};

// The glyph of a code point; code points without one get the replacement glyph U+FFFD.
const CaptionGlyph& CaptionGlyphFor(char32_t codePoint);

}  // namespace diduzozoz
