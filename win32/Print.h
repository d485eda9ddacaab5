// The exported barcode on paper from the Windows dialog's context menu: the print dialog, with
// the printer set up last remembered while the program runs, then the print plan painted.
#pragma once

#include <windows.h>

#include <string>

#include "render/ExportImage.h"
#include "verify/Verify.h"

namespace diduzozoz::win {

class CImagePrinter {
  public:
    CImagePrinter() = default;
    ~CImagePrinter();
    CImagePrinter(const CImagePrinter&) = delete;
    CImagePrinter& operator=(const CImagePrinter&) = delete;

    // Empty when printed or cancelled, else the message to show.
    std::string Print(HWND owner, const ExportImage& image, int modulePixels,
                      const verify::Meant& meant);

  private:
    HGLOBAL m_devMode = nullptr;  // the printer set up last
    HGLOBAL m_devNames = nullptr;
};

}  // namespace diduzozoz::win
