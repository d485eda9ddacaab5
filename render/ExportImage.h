// The image handed to other programs after every completed drawing, and its encodings.
#pragma once

#include <cstdint>
#include <memory>
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

// PNG (1-bit greyscale, black 0 and white 1) into memory. An encoder keeps its compression
// state and buffers between images, so a batch allocates nothing per image.
class PngEncoder {
  public:
    PngEncoder();
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;
    // Replaces out by the PNG, reusing its capacity; false (out empty) on failure.
    bool Encode(const ExportImage& image, std::vector<std::uint8_t>& out);

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// One-off encodings with an encoder of their own.
std::vector<std::uint8_t> EncodePng(const ExportImage& image);
bool EncodePng(const ExportImage& image, std::vector<std::uint8_t>& out);
// SVG: one rectangle per horizontal black run, sized in pixels, drawn with crisp edges.
std::string EncodeSvg(const ExportImage& image);

}  // namespace diduzozoz
