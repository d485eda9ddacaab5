#include "PngRead.h"

#include <algorithm>

#if defined(DIDUZOZOZ_HAVE_LIBPNG)
#include <png.h>
#else
#include <zlib.h>
#endif

namespace diduzozoz::test {

#if defined(DIDUZOZOZ_HAVE_LIBPNG)

GreyImage ReadPng(std::string_view bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    GreyImage out;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
    image.format = PNG_FORMAT_GRAY;
    std::vector<std::uint8_t> grey(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, grey.data(), 0, nullptr)) return out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.grey = std::move(grey);
    return out;
}

#else

// Where libpng is missing: a strict reader of the one format the encoder writes (1-bit
// greyscale, no interlace, rows without filtering). Chunk CRCs, the zlib stream and the
// amount of pixel data are all checked, so a corrupted file is never read as an image.
namespace {

std::uint32_t Be32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

}  // namespace

GreyImage ReadPng(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 || !std::equal(kSignature, kSignature + 8, p)) return {};
    std::uint32_t width = 0, height = 0;
    std::vector<unsigned char> idat;
    bool ended = false;
    for (std::size_t pos = 8; !ended;) {
        if (size - pos < 12) return {};
        const std::uint32_t length = Be32(p + pos);
        if (length > size - pos - 12) return {};
        const unsigned char* type = p + pos + 4;
        const unsigned char* data = type + 4;
        if (crc32(0, type, length + 4) != Be32(data + length)) return {};
        const std::string_view name(reinterpret_cast<const char*>(type), 4);
        if (name == "IHDR") {
            static constexpr unsigned char kOneBitGrey[5] = {1, 0, 0, 0, 0};
            if (length != 13 || !std::equal(kOneBitGrey, kOneBitGrey + 5, data + 8)) return {};
            width = Be32(data);
            height = Be32(data + 4);
        } else if (name == "IDAT") {
            idat.insert(idat.end(), data, data + length);
        } else if (name == "IEND") {
            ended = pos + 12 == size;
            if (!ended) return {};
        }
        pos += 12 + length;
    }
    if (width == 0 || height == 0 || width > 1u << 16 || height > 1u << 16) return {};
    const std::size_t stride = (width + 7) / 8 + 1;
    std::vector<unsigned char> raw(stride * height + 1);  // one spare byte: no trailing data
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())) != Z_OK ||
        rawSize != stride * height) {
        return {};
    }
    GreyImage out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.grey.reserve(static_cast<std::size_t>(width) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const unsigned char* row = &raw[stride * y];
        if (row[0] != 0) return {};
        for (std::uint32_t x = 0; x < width; ++x) {
            out.grey.push_back((row[1 + x / 8] >> (7 - x % 8)) & 1 ? 255 : 0);
        }
    }
    return out;
}

#endif

}  // namespace diduzozoz::test
