// Printing from the Windows dialogs: the print dialog with the printer set up last remembered,
// black rectangles in printer dots, and the exported barcode's print plan painted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "render/ExportImage.h"
#include "sheet/Layout.h"
#include "verify/Verify.h"

namespace diduzozoz::win {

class CPrinterSetup {
  public:
    CPrinterSetup() = default;
    ~CPrinterSetup();
    CPrinterSetup(const CPrinterSetup&) = delete;
    CPrinterSetup& operator=(const CPrinterSetup&) = delete;

    // The print dialog; the printer chosen as a device context the caller deletes, nullptr
    // when cancelled.
    HDC Choose(HWND owner);

  private:
    HGLOBAL m_devMode = nullptr;  // the printer set up last
    HGLOBAL m_devNames = nullptr;
};

// The rectangles, in dots from the page's corner, filled black on a printer whose origin is
// its printable area's corner, offset dots from the page's.
void FillDots(HDC printer, const std::vector<sheet::DotRect>& dots, POINT offset = {0, 0});

// The image on one page as PlanPrint() lays it out for the printer. Empty when printed, else
// the message to show.
std::string PrintImage(HDC printer, const ExportImage& image, int modulePixels,
                       const verify::Meant& meant);

}  // namespace diduzozoz::win
