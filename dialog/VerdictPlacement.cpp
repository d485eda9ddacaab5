#include "dialog/VerdictPlacement.h"

#include <algorithm>

namespace diduzozoz {

VerdictBox PlaceVerdict(int areaW, int areaH, int drawnW, int drawnH,
                        const VerdictTextLayout& text) {
    auto lines = [&](int width) { return width > 0 ? text.linesAt(width) : kVerdictNoFit; };
    auto box = [&](int x, int width, int lineCount) {
        const int h = lineCount * text.lineHeight + 2 * text.padY;
        return VerdictBox{x, areaH - h, width, h, lineCount > 1};
    };
    const int bandBelow = areaH - std::max(drawnH, 0);
    const int under = lines(areaW - 2 * text.padX);
    if (under <= 2 && box(0, areaW, under).height <= bandBelow) return box(0, areaW, under);
    const int bandRight = areaW - std::max(drawnW, 0);
    // Beside a tall drawing the whole height is free: the text may wrap down all of it.
    const int beside = lines(bandRight - 2 * text.padX);
    if (bandRight > 0 && beside < kVerdictNoFit && box(0, bandRight, beside).height <= areaH) {
        return box(areaW - bandRight, bandRight, beside);
    }
    return box(0, areaW, under <= 1 ? 1 : 2);
}

}  // namespace diduzozoz
