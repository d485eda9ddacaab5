// PNG writer for two-colour images: 1-bit greyscale, written directly with zlib so that one
// encoder serves any number of images without allocating per image.
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "render/ExportImage.h"

namespace diduzozoz {

struct PngEncoder::Impl {
    z_stream z{};
    bool ready = false;
    std::vector<std::uint8_t> raw;       // filter byte + packed row, for every row
    std::vector<std::uint8_t> deflated;  // grows to the largest image seen, never shrinks
};

PngEncoder::PngEncoder() : m_impl(std::make_unique<Impl>()) {
    // Level 1 finds the repeated rows of a barcode as well as the higher levels do, fast.
    m_impl->ready = deflateInit(&m_impl->z, 1) == Z_OK;
}

PngEncoder::~PngEncoder() {
    if (m_impl->ready) deflateEnd(&m_impl->z);
}

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v >> 24),
                               static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    out.insert(out.end(), b, b + 4);
}

// Closes the chunk whose length field starts at `start`: fills in the length, appends the CRC
// over type and data.
void EndChunk(std::vector<std::uint8_t>& out, std::size_t start) {
    const std::uint32_t length = static_cast<std::uint32_t>(out.size() - start - 8);
    out[start] = static_cast<std::uint8_t>(length >> 24);
    out[start + 1] = static_cast<std::uint8_t>(length >> 16);
    out[start + 2] = static_cast<std::uint8_t>(length >> 8);
    out[start + 3] = static_cast<std::uint8_t>(length);
    const uLong crc = crc32(0L, out.data() + start + 4, static_cast<uInt>(length + 4));
    Put32(out, static_cast<std::uint32_t>(crc));
}

// Packs pixels (1 black, 0 white) into PNG greyscale bits, white 1, the leftmost pixel in the
// high bit. Eight pixels at a time: one multiply gathers the low bit of each of eight bytes.
void PackRow(const std::uint8_t* src, int width, std::uint8_t* out) {
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; x + 8 <= width; x += 8) {
            std::uint64_t v;
            std::memcpy(&v, src + x, 8);
            *out++ = static_cast<std::uint8_t>(~((v * 0x8040201008040201ULL) >> 56));
        }
    }
    if (x < width) {
        std::uint8_t last = 0;
        for (int bit = 0; x < width; ++x, ++bit) {
            if (!src[x]) last |= static_cast<std::uint8_t>(0x80 >> bit);
        }
        *out = last;
    }
}

void BeginChunk(std::vector<std::uint8_t>& out, const char* type) {
    Put32(out, 0);
    out.insert(out.end(), type, type + 4);
}

}  // namespace

bool PngEncoder::Encode(const ExportImage& image, std::vector<std::uint8_t>& out, int dpi) {
    out.clear();
    if (!m_impl->ready || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return false;
    }
    // Rows: filter type 0, then 8 pixels a byte, the leftmost in the high bit; 1 is white.
    const std::size_t stride = (static_cast<std::size_t>(image.width) + 7) / 8;
    std::vector<std::uint8_t>& raw = m_impl->raw;
    raw.resize((stride + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = &raw[(stride + 1) * y];
        const std::uint8_t* src = &image.pixels[static_cast<std::size_t>(y) * image.width];
        // The bars make most rows equal to the one above: copy those.
        if (y > 0 && std::memcmp(src, src - image.width, image.width) == 0) {
            std::memcpy(row, row - (stride + 1), stride + 1);
            continue;
        }
        row[0] = 0;
        PackRow(src, image.width, row + 1);
    }

    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.insert(out.end(), kSignature, kSignature + 8);
    std::size_t start = out.size();
    BeginChunk(out, "IHDR");
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height));
    const std::uint8_t header[5] = {1, 0, 0, 0,
                                    0};  // 1 bit, greyscale, deflate, no filter, no interlace
    out.insert(out.end(), header, header + 5);
    EndChunk(out, start);

    // The physical size: pixels per metre, the same both ways.
    const std::uint32_t perMetre =
        static_cast<std::uint32_t>((std::clamp(dpi, kMinDpi, kMaxDpi) * 10000 + 127) / 254);
    start = out.size();
    BeginChunk(out, "pHYs");
    Put32(out, perMetre);
    Put32(out, perMetre);
    out.push_back(1);  // unit: metre
    EndChunk(out, start);

    start = out.size();
    BeginChunk(out, "IDAT");
    z_stream& z = m_impl->z;
    if (deflateReset(&z) != Z_OK) return false;
    std::vector<std::uint8_t>& deflated = m_impl->deflated;
    const std::size_t bound = deflateBound(&z, static_cast<uLong>(raw.size()));
    if (deflated.size() < bound) deflated.resize(bound);
    z.next_in = raw.data();
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = deflated.data();
    z.avail_out = static_cast<uInt>(deflated.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END) {
        out.clear();
        return false;
    }
    out.insert(out.end(), deflated.data(), deflated.data() + z.total_out);
    EndChunk(out, start);

    start = out.size();
    BeginChunk(out, "IEND");
    EndChunk(out, start);
    return true;
}

bool EncodePng(const ExportImage& image, std::vector<std::uint8_t>& out, int dpi) {
    PngEncoder encoder;
    return encoder.Encode(image, out, dpi);
}

std::vector<std::uint8_t> EncodePng(const ExportImage& image, int dpi) {
    std::vector<std::uint8_t> out;
    EncodePng(image, out, dpi);
    return out;
}

}  // namespace diduzozoz
