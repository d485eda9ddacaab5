// One barcode on a page of its own, as both front ends print it: a barcode pixel as the whole
// number of printer dots that gives it the size its standard asks for
// (verify::ChooseDotsPerPixel), at the top left of the printable area, the note of its module
// width beneath it; or why it is not printed. The front ends only put it on paper.
#pragma once

#include <string>
#include <vector>

#include "render/ExportImage.h"
#include "sheet/Layout.h"
#include "verify/Verify.h"

namespace diduzozoz {

// The printer as the print dialog set it up: its resolution and the printable area, in dots
// from the origin it draws from.
struct PrintPage {
    int dpi = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PrintPlan {
    std::string refusal;  // not empty: nothing is printed, and this is the message
    int dotsPerPixel = 0;
    std::vector<sheet::DotRect> bars;  // the black rectangles, in dots from the origin
    sheet::DotRect noteBox;            // the note's text from this box's top-left corner
    std::string note;                  // its lines, separated by line feeds
    int notePoints = 8;                // its size
};

PrintPlan PlanPrint(const ExportImage& image, int modulePixels, const verify::Meant& meant,
                    const PrintPage& page);

}  // namespace diduzozoz
