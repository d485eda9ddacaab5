// The black pixels of an exported image as rectangles, the shared geometry of every vector
// encoding, and the locale-free decimals those files are written with.
#include <algorithm>
#include <cstring>

#include "render/ExportImage.h"

namespace diduzozoz {

std::vector<PixelRect> BlackRectangles(const ExportImage& image) {
    std::vector<PixelRect> out;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return out;
    }
    // Runs still growing downwards, left to right; each becomes a rectangle once a row no
    // longer has exactly that run.
    std::vector<PixelRect> open;
    std::vector<PixelRect> next;
    auto close = [&](const PixelRect& r, int y) { out.push_back({r.x, r.y, r.width, y - r.y}); };
    const std::size_t w = static_cast<std::size_t>(image.width);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + w * y;
        // Bars make most rows equal to the one above: every open run just grows.
        if (y > 0 && std::memcmp(row, row - w, w) == 0) continue;
        next.clear();
        std::size_t k = 0;
        int x = 0;
        while (x < image.width) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width && row[x]) ++x;
            const int length = x - start;
            while (k < open.size() && open[k].x < start) close(open[k++], y);
            if (k < open.size() && open[k].x == start && open[k].width == length) {
                next.push_back(open[k++]);
            } else {
                next.push_back({start, y, length, 0});
            }
        }
        while (k < open.size()) close(open[k++], y);
        open.swap(next);
    }
    for (const PixelRect& r : open) close(r, image.height);
    std::sort(out.begin(), out.end(), [](const PixelRect& a, const PixelRect& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    return out;
}

std::string DecimalText(std::int64_t numerator, std::int64_t denominator, int places) {
    if (denominator <= 0) return "0";
    const bool negative = numerator < 0;
    if (negative) numerator = -numerator;
    places = std::clamp(places, 0, 12);
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    const std::int64_t v = numerator * scale / denominator;
    std::string text = negative && v != 0 ? "-" : "";
    text += std::to_string(v / scale);
    char digits[24];
    int n = 0;
    for (std::int64_t rest = v % scale, i = 0; i < places; ++i, rest /= 10) {
        digits[places - 1 - i] = static_cast<char>('0' + rest % 10);
    }
    n = places;
    while (n > 0 && digits[n - 1] == '0') --n;
    if (n > 0) {
        text.push_back('.');
        text.append(digits, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace diduzozoz
