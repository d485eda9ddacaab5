#include <algorithm>

#include "render/ExportImage.h"

namespace diduzozoz {

std::string EncodeSvg(const ExportImage& image, int dpi) {
    dpi = std::clamp(dpi, kMinDpi, kMaxDpi);
    const std::string w = std::to_string(image.width);
    const std::string h = std::to_string(image.height);
    // Millimetres = pixels x 25.4 / dpi.
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        DecimalText(std::int64_t{image.width} * 254, std::int64_t{dpi} * 10, 6) + "mm\" height=\"" +
        DecimalText(std::int64_t{image.height} * 254, std::int64_t{dpi} * 10, 6) +
        "mm\" viewBox=\"0 0 " + w + " " + h + "\" shape-rendering=\"crispEdges\">\n";
    svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    svg += "<g fill=\"#000000\">\n";
    for (const PixelRect& r : BlackRectangles(image)) {
        svg += "<rect x=\"" + std::to_string(r.x) + "\" y=\"" + std::to_string(r.y) +
               "\" width=\"" + std::to_string(r.width) + "\" height=\"" + std::to_string(r.height) +
               "\"/>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace diduzozoz
