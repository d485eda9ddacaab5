// The image handed to other programs after every completed drawing, and its encodings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace diduzozoz {

// W x H two-colour pixels, row-major, one byte per pixel: 1 black, 0 white.
struct ExportImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    int At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// PNG (1-bit greyscale, black 0 and white 1) into memory; empty on failure.
std::vector<std::uint8_t> EncodePng(const ExportImage& image);
// Appends into out, reusing its capacity; returns false on failure.
bool EncodePng(const ExportImage& image, std::vector<std::uint8_t>& out);
// SVG: one rectangle per horizontal black run, sized in pixels, drawn with crisp edges.
std::string EncodeSvg(const ExportImage& image);

}  // namespace diduzozoz
