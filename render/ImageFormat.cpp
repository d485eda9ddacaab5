// The four file formats by name, and one entry point that encodes any of them.
#include <iterator>

#include "render/ExportImage.h"

namespace diduzozoz {
namespace {

constexpr const char* kNames[] = {"png", "svg", "pdf", "eps"};
static_assert(std::size(kNames) == static_cast<std::size_t>(ImageFormat::kEps) + 1);

}  // namespace

const char* ImageFormatName(ImageFormat format) {
    return kNames[static_cast<int>(format)];
}

std::optional<ImageFormat> ImageFormatByName(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        const std::string_view known = kNames[i];
        if (name.size() != known.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k) {
            char c = name[k];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            same = c == known[k];
        }
        if (same) return static_cast<ImageFormat>(i);
    }
    return std::nullopt;
}

bool EncodeImage(const ExportImage& image, ImageFormat format, int dpi,
                 std::vector<std::uint8_t>& out, PngEncoder* png) {
    out.clear();
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return false;
    }
    std::string text;
    switch (format) {
        case ImageFormat::kPng:
            return png ? png->Encode(image, out, dpi) : EncodePng(image, out, dpi);
        case ImageFormat::kSvg:
            text = EncodeSvg(image, dpi);
            break;
        case ImageFormat::kPdf:
            text = EncodePdf(image, dpi);
            break;
        case ImageFormat::kEps:
            text = EncodeEps(image, dpi);
            break;
    }
    out.assign(text.begin(), text.end());
    return !out.empty();
}

}  // namespace diduzozoz
