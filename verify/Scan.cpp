#include "verify/Scan.h"

#include <algorithm>
#include <cstring>

namespace diduzozoz::verify {
namespace {

int CountBars(const std::uint8_t* row, int width) {
    int bars = 0;
    for (int x = 0; x < width; ++x) {
        if (row[x] && (x == 0 || !row[x - 1])) ++bars;
    }
    return bars;
}

// Whether the outermost bars of the scan row are the sides of a closed frame: each side runs up
// and down to a black row that joins it to the other.
bool IsFrame(const ExportImage& image, const Scan& scan) {
    if (scan.bars.size() < 3) return false;
    const int w = image.width;
    auto black = [&](int x, int y) { return image.pixels[static_cast<std::size_t>(y) * w + x]; };
    const int left = scan.bars.front().first;
    const int right = scan.bars.back().second - 1;
    int top = scan.y;
    while (top > 0 && black(left, top - 1) && black(right, top - 1)) --top;
    int bottom = scan.y;
    while (bottom + 1 < image.height && black(left, bottom + 1) && black(right, bottom + 1)) {
        ++bottom;
    }
    if (top == scan.y || bottom == scan.y) return false;
    for (int x = left; x <= right; ++x) {
        if (!black(x, top) || !black(x, bottom)) return false;
    }
    return true;
}

}  // namespace

bool IsWhole(const ExportImage& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() >=
               static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
}

Scan ScanBars(const ExportImage& image) {
    Scan scan;
    if (!IsWhole(image)) return scan;
    const int w = image.width;
    auto rowAt = [&](int y) { return image.pixels.data() + static_cast<std::size_t>(y) * w; };

    long long bestScore = 0;
    int y = 0;
    while (y < image.height) {
        const std::uint8_t* row = rowAt(y);
        int same = 1;
        while (y + same < image.height && std::memcmp(rowAt(y + same), row, w) == 0) ++same;
        const long long score = static_cast<long long>(same) * CountBars(row, w);
        if (score > bestScore) {
            bestScore = score;
            scan.y = y;
            scan.rows = same;
        }
        y += same;
    }
    if (scan.y < 0) return scan;

    const std::uint8_t* row = rowAt(scan.y);
    for (int x = 0; x < w;) {
        if (!row[x]) {
            ++x;
            continue;
        }
        const int x0 = x;
        while (x < w && row[x]) ++x;
        scan.bars.emplace_back(x0, x);
    }
    int inside = 0;  // the white between the bars and the image's edges, or the frame's sides
    int insideEnd = w;
    if (IsFrame(image, scan)) {
        scan.framed = true;
        inside = scan.bars.front().second;
        insideEnd = scan.bars.back().first;
        scan.bars.erase(scan.bars.begin());
        scan.bars.pop_back();
    }
    scan.left = scan.bars.front().first - inside;
    scan.right = insideEnd - scan.bars.back().second;
    scan.module = scan.bars.front().second - scan.bars.front().first;
    for (std::size_t i = 0; i < scan.bars.size(); ++i) {
        scan.module = std::min(scan.module, scan.bars[i].second - scan.bars[i].first);
        if (i > 0)
            scan.module = std::min(scan.module, scan.bars[i].first - scan.bars[i - 1].second);
    }
    return scan;
}

}  // namespace diduzozoz::verify
