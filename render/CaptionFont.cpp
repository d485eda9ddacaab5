#include "render/CaptionFont.h"

#include <algorithm>
#include <iterator>

namespace diduzozoz {
namespace {

// Sorted by code point; generated from unifont.hex by tools/gen_font.
constexpr CaptionGlyph kGlyphs[] = {
#include "caption_font.inc"
};

}  // namespace

const CaptionGlyph& CaptionGlyphFor(char32_t codePoint) {
    // Printable ASCII comes first in the table, one entry per code point.
    if (codePoint >= 0x20 && codePoint < 0x7F && kGlyphs[codePoint - 0x20].codePoint == codePoint) {
        return kGlyphs[codePoint - 0x20];
    }
    auto it = std::lower_bound(std::begin(kGlyphs), std::end(kGlyphs), codePoint,
                               [](const CaptionGlyph& g, char32_t cp) { return g.codePoint < cp; });
    if (it != std::end(kGlyphs) && it->codePoint == codePoint) return *it;
    if (codePoint != 0xFFFD) return CaptionGlyphFor(0xFFFD);
    return kGlyphs[0];
}

}  // namespace diduzozoz
