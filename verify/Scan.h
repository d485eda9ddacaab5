// The scan line a reader would take through the bars of an exported image.
#pragma once

#include <utility>
#include <vector>

#include "render/ExportImage.h"

namespace diduzozoz::verify {

struct Scan {
    int y = -1;    // the row through the bars; -1 when the image holds no black pixel
    int rows = 0;  // how many rows from y on are the same as it
    std::vector<std::pair<int, int>> bars;  // black runs [x0, x1) along that row
    int module = 0;  // narrowest bar or space between the first and the last bar, in pixels
    int left = 0;    // white pixels before the first bar
    int right = 0;   // white pixels after the last bar
    // The bars stand in a closed frame (ITF-14's bearer bars): its sides are left out of bars,
    // and left and right are the quiet zones inside it.
    bool framed = false;
};

// The row of the bars is the one whose run of identical neighbouring rows, weighted by its
// number of bars, is the largest: bars repeat over their whole height, caption rows do not.
// A frame around the bars is recognised by its sides and its top and bottom bearers.
Scan ScanBars(const ExportImage& image);

// Whether the image's pixels are all there: width x height bytes.
bool IsWhole(const ExportImage& image);

}  // namespace diduzozoz::verify
