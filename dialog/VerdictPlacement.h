// Where the read-back verdict line goes in the preview: never over the exported drawing
// where there is room beside it, so the preview goes on showing what the clipboard holds.
#pragma once

#include <functional>

namespace diduzozoz {

// What linesAt() gives when a word of the text is wider than the width: it cannot be wrapped.
inline constexpr int kVerdictNoFit = 1 << 16;

// The verdict's text as the front end lays it out in its font.
struct VerdictTextLayout {
    // Lines the text takes wrapped to this many pixels of text width, or kVerdictNoFit.
    std::function<int(int width)> linesAt;
    int lineHeight = 0;
    int padX = 0;  // around the text, each side
    int padY = 0;
};

struct VerdictBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool wrapped = false;  // more than one line
};

// The box for the verdict in a preview area of areaW x areaH pixels whose top-left
// drawnW x drawnH pixels hold the exported drawing. Below the drawing when the band under it
// holds the text in at most two lines; else to its right, in as many lines as the preview's
// height holds; only where neither does, over the bottom of the preview. Always along the
// lower edge.
VerdictBox PlaceVerdict(int areaW, int areaH, int drawnW, int drawnH,
                        const VerdictTextLayout& text);

}  // namespace diduzozoz
