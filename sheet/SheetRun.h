// Filling sheets with labels: each item drawn by the Create command with the current settings,
// its copies put on the next free labels (row by row, left to right, top to bottom, sheet
// after sheet), each barcode read back from its own pixels before it goes on the page.
// Knows no files: the sheets go to the target the caller gives (a PDF, a preview, a printer),
// the rest to its report.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sheet/Layout.h"
#include "sheet/SheetPdf.h"
#include "symbology/BarcodeSettings.h"
#include "verify/SizeLimits.h"
#include "verify/Verify.h"

namespace diduzozoz::sheet {

// One thing to label: a code, and for the postal type its reference number.
struct LabelItem {
    std::string code;
    std::string ref;
};

inline constexpr int kMaxCopies = 1000;

struct SheetRequest {
    Layout layout;
    Placement placement;
    int firstLabel = 1;       // from 1: the labels before it on the first sheet are used
    int copies = 1;           // labels per item
    bool leaveHoles = false;  // a refused item keeps its labels, empty
    // Each label judged at its size on paper; false: only read back, as a bitmap whose size
    // is not known (the dots a pixel are chosen either way).
    bool judgeSize = true;
};

// What the request's own numbers get wrong (empty when nothing): the layout, the first label,
// the copies. Checked before anything is drawn or written.
std::string CheckRequest(const SheetRequest& request);

class SheetReport {
  public:
    virtual ~SheetReport() = default;
    // An item that got no label: the Create command refused it (its messages, in order), no
    // whole number of dots gives its barcode the size its standard asks for, or its barcode is
    // larger than its label. item counts from 1.
    virtual void Refused(std::int64_t item, const LabelItem& what,
                         const std::vector<std::string>& messages) = 0;
    // A label drawn, with what reading its barcode back said.
    virtual void Labelled(const LabelSlot& slot, const LabelItem& what,
                          const verify::Verdict& verdict) = 0;
};

struct SheetResult {
    std::int64_t items = 0;    // taken from the source
    std::int64_t refused = 0;  // items that got no label
    std::int64_t labels = 0;   // labels drawn
    std::int64_t passed = 0;   // of them, read back as meant (outcome ok)
    std::int64_t sheets = 0;   // sheets begun
    // The first item drawn at other than the whole number of dots nearest to 1/96 inch, and
    // why (kNearest: none was).
    verify::DotsChoice rounded;
    // The first item no whole number of dots suited (kNearest: none).
    verify::DotsChoice noneFits;
    // Labels whose verdict holds a warning (they still count as passed when nothing else is
    // wrong), and the first such warning.
    std::int64_t warned = 0;
    verify::Finding warning{verify::Reason::kBarHeight, 0, 0, {}};
};

// Draws every item next() gives (false: no more) onto the sheets of target, or only reads
// each back where there is none; the caller checked the request with CheckRequest(). Each item
// starts from settings, with its code and reference number in place of the settings' own.
// A barcode pixel is the whole number of dots nearest to 1/96 inch that gives the barcode the
// size its standard asks for (verify::ChooseDotsPerPixel), and each label is judged at that
// size, its quiet zones with the white of the label around it.
SheetResult RunSheet(const BarcodeSettings& settings, const SheetRequest& request,
                     const std::function<bool(LabelItem&)>& next, const verify::Readers& readers,
                     SheetTarget* target, SheetReport& report);

}  // namespace diduzozoz::sheet
