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
    scan.left = scan.bars.front().first;
    scan.right = w - scan.bars.back().second;
    scan.module = scan.bars.front().second - scan.bars.front().first;
    for (std::size_t i = 0; i < scan.bars.size(); ++i) {
        scan.module = std::min(scan.module, scan.bars[i].second - scan.bars[i].first);
        if (i > 0)
            scan.module = std::min(scan.module, scan.bars[i].first - scan.bars[i - 1].second);
    }
    return scan;
}

}  // namespace diduzozoz::verify
