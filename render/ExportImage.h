// The image handed to other programs after every completed drawing, and its encodings.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace diduzozoz {

// W x H two-colour pixels, row-major, one byte per pixel: 1 black, 0 white.
struct ExportImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    int At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Resolution written into every encoding: pixels per inch. 96 is what office programs take a
// pasted bitmap without one to be, so the default keeps today's printed size.
inline constexpr int kDefaultDpi = 96;
inline constexpr int kMinDpi = 72;
inline constexpr int kMaxDpi = 2400;

// Printer dots for one pixel at the printer's resolution: the whole number closest to a pixel
// of 1/96 inch, so every bar keeps its exact share of dots.
inline int DotsPerPixel(int printerDpi) {
    const int dots = (printerDpi * 2 + kDefaultDpi) / (2 * kDefaultDpi);
    return dots > 1 ? dots : 1;
}

// The black pixels as rectangles in pixel units: each horizontal run of black pixels, stacked
// with the same run in the rows below it. Disjoint; together exactly the black pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
std::vector<PixelRect> BlackRectangles(const ExportImage& image);

// numerator / denominator as a decimal with at most `places` digits after the point, the rest
// cut off (a size a hair small never gains a whole pixel in programs that round sizes up),
// trailing zeros dropped; never depends on the C locale, so files read the same everywhere.
std::string DecimalText(std::int64_t numerator, std::int64_t denominator, int places);

// PNG (1-bit greyscale, black 0 and white 1) into memory. An encoder keeps its compression
// state and buffers between images, so a batch allocates nothing per image.
class PngEncoder {
  public:
    PngEncoder();
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;
    // Replaces out by the PNG, reusing its capacity; false (out empty) on failure. The pHYs
    // chunk carries dpi.
    bool Encode(const ExportImage& image, std::vector<std::uint8_t>& out, int dpi = kDefaultDpi);

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// One-off encodings with an encoder of their own.
std::vector<std::uint8_t> EncodePng(const ExportImage& image, int dpi = kDefaultDpi);
bool EncodePng(const ExportImage& image, std::vector<std::uint8_t>& out, int dpi = kDefaultDpi);

// The vector encodings draw one filled rectangle per BlackRectangles() entry on a white
// background, in pixel units scaled to the physical size W x H pixels have at dpi, so that a
// rasterisation at dpi gives the PNG's pixels back.
// SVG: width and height in millimetres, a viewBox in pixels, crisp edges.
std::string EncodeSvg(const ExportImage& image, int dpi = kDefaultDpi);
// PDF 1.4: one page of exactly the image's size.
std::string EncodePdf(const ExportImage& image, int dpi = kDefaultDpi);
// Encapsulated PostScript (level 2) with the image's size as its bounding box.
std::string EncodeEps(const ExportImage& image, int dpi = kDefaultDpi);

enum class ImageFormat { kPng, kSvg, kPdf, kEps };
// "png", "svg", "pdf", "eps": the format's file name extension and its name on command lines.
const char* ImageFormatName(ImageFormat format);
// The format of that name (any letter case), or none.
std::optional<ImageFormat> ImageFormatByName(std::string_view name);
// The image in the format, into out; PNG through the given encoder when there is one, so a
// batch keeps its compression state. False (out empty) when it cannot be encoded.
bool EncodeImage(const ExportImage& image, ImageFormat format, int dpi,
                 std::vector<std::uint8_t>& out, PngEncoder* png = nullptr);

}  // namespace diduzozoz
