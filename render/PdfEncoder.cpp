// PDF written by hand: four objects, an uncompressed content stream of rectangles in pixel
// units under one scaling, and the cross-reference table.
//
// Each rectangle is filled on its own: renderers such as poppler's place a lone rectangle's
// edges exactly on the pixel grid, but widen the edges of a path of many by a pixel.
#include <algorithm>
#include <cstdio>

#include "render/ExportImage.h"

namespace diduzozoz {

std::string EncodePdf(const ExportImage& image, int dpi) {
    dpi = std::clamp(dpi, kMinDpi, kMaxDpi);
    const int w = std::max(image.width, 0);
    const int h = std::max(image.height, 0);
    // Points = pixels x 72 / dpi. PDF's y axis points up; the image's rows count down.
    std::string content = DecimalText(72, dpi, 8) + " 0 0 " + DecimalText(72, dpi, 8) +
                          " 0 0 cm\n1 g\n0 0 " + std::to_string(w) + " " + std::to_string(h) +
                          " re\nf\n0 g\n";
    for (const PixelRect& r : BlackRectangles(image)) {
        content += std::to_string(r.x) + " " + std::to_string(h - r.y - r.height) + " " +
                   std::to_string(r.width) + " " + std::to_string(r.height) + " re f\n";
    }

    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::size_t offsets[4];
    const std::string objects[4] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + DecimalText(std::int64_t{w} * 72, dpi, 6) +
            " " + DecimalText(std::int64_t{h} * 72, dpi, 6) +
            "] /Resources << >> /Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
    };
    for (int i = 0; i < 4; ++i) {
        offsets[i] = pdf.size();
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 5\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace diduzozoz
