#include <cstdio>

#include "render/ExportImage.h"

namespace diduzozoz {

std::string EncodeSvg(const ExportImage& image) {
    std::string svg;
    char buf[160];
    std::snprintf(buf, sizeof buf,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                  "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n",
                  image.width, image.height, image.width, image.height);
    svg += buf;
    std::snprintf(buf, sizeof buf, "<rect width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n",
                  image.width, image.height);
    svg += buf;
    svg += "<g fill=\"#000000\">\n";
    for (int y = 0; y < image.height; ++y) {
        int x = 0;
        while (x < image.width) {
            if (!image.At(x, y)) {
                ++x;
                continue;
            }
            int start = x;
            while (x < image.width && image.At(x, y)) ++x;
            std::snprintf(buf, sizeof buf, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"1\"/>\n",
                          start, y, x - start);
            svg += buf;
        }
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace diduzozoz
