// Encapsulated PostScript written by hand: the bounding box in points, rectangles in pixel
// units under one scaling, all black ones filled as a single path.
#include <algorithm>

#include "render/ExportImage.h"

namespace diduzozoz {

std::string EncodeEps(const ExportImage& image, int dpi) {
    dpi = std::clamp(dpi, kMinDpi, kMaxDpi);
    const int w = std::max(image.width, 0);
    const int h = std::max(image.height, 0);
    // Points = pixels x 72 / dpi; the whole-point box rounds up so that it holds the image.
    const std::int64_t wPoints = std::int64_t{w} * 72;
    const std::int64_t hPoints = std::int64_t{h} * 72;
    const std::string scale = DecimalText(72, dpi, 8);
    std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 " +
                      std::to_string((wPoints + dpi - 1) / dpi) + " " +
                      std::to_string((hPoints + dpi - 1) / dpi) + "\n%%HiResBoundingBox: 0 0 " +
                      DecimalText(wPoints, dpi, 6) + " " + DecimalText(hPoints, dpi, 6) +
                      "\n%%Creator: DiDuzozoz\n%%LanguageLevel: 2\n%%EndComments\n";
    eps +=
        "save\n4 dict begin\n"
        "/R { 4 -2 roll moveto 1 index 0 rlineto 0 exch rlineto neg 0 rlineto closepath } bind "
        "def\n";
    eps += scale + " " + scale + " scale\n1 setgray\n0 0 " + std::to_string(w) + " " +
           std::to_string(h) + " rectfill\n0 setgray\nnewpath\n";
    // PostScript's y axis points up; the image's rows count down.
    for (const PixelRect& r : BlackRectangles(image)) {
        eps += std::to_string(r.x) + " " + std::to_string(h - r.y - r.height) + " " +
               std::to_string(r.width) + " " + std::to_string(r.height) + " R\n";
    }
    eps += "fill\nend\nrestore\nshowpage\n%%EOF\n";
    return eps;
}

}  // namespace diduzozoz
