#include <png.h>

#include <csetjmp>

#include "render/ExportImage.h"

namespace diduzozoz {
namespace {

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// Kept apart from the C++ objects of the caller: libpng reports errors by longjmp.
[[gnu::noinline]] bool WriteRows(png_structp png, png_infop info, int width, int height,
                                 png_bytep* rows, void* sink) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, sink, WriteToVector, NoFlush);
    png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool EncodePng(const ExportImage& image, std::vector<std::uint8_t>& out) {
    out.clear();
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    const std::size_t stride = (static_cast<std::size_t>(image.width) + 7) / 8;
    std::vector<png_byte> packed(stride * image.height, 0);
    std::vector<png_bytep> rows(image.height);
    for (int y = 0; y < image.height; ++y) {
        png_bytep row = &packed[stride * y];
        rows[y] = row;
        const std::uint8_t* src = &image.pixels[static_cast<std::size_t>(y) * image.width];
        for (int x = 0; x < image.width; ++x) {
            if (!src[x]) row[x >> 3] |= static_cast<png_byte>(0x80 >> (x & 7));  // 1 = white
        }
    }
    const bool ok = WriteRows(png, info, image.width, image.height, rows.data(), &out);
    png_destroy_write_struct(&png, &info);
    if (!ok) out.clear();
    return ok;
}

std::vector<std::uint8_t> EncodePng(const ExportImage& image) {
    std::vector<std::uint8_t> out;
    EncodePng(image, out);
    return out;
}

}  // namespace diduzozoz
