// Saving and printing the exported barcode from the Windows dialog's context menu: the
// platform's save and print dialogs; while the program runs it remembers the folder and the
// kind of the last file saved, and the printer set up.
#pragma once

#include <windows.h>

#include <string>

#include "render/ExportImage.h"
#include "verify/Verify.h"

namespace diduzozoz::win {

// Prints the image on one page at the top left of the printable area, a pixel as the whole
// number of dots nearest to 1/96 inch that gives it the size the standard of what it means asks
// for (verify::ChooseDotsPerPixel), with a note of the module width beneath it. Empty on
// success, else the message to show; nothing is printed when no whole number fits.
std::string PrintImage(HDC printer, const ExportImage& image, int modulePixels,
                       const verify::Meant& meant);

class CImageCommands {
  public:
    CImageCommands() = default;
    ~CImageCommands();
    CImageCommands(const CImageCommands&) = delete;
    CImageCommands& operator=(const CImageCommands&) = delete;

    // Each returns the message to show, empty when done or cancelled.
    std::string Save(HWND owner, const ExportImage& image);
    std::string Print(HWND owner, const ExportImage& image, int modulePixels,
                      const verify::Meant& meant);

  private:
    std::wstring m_folder;
    std::wstring m_suffix = L"png";
    HGLOBAL m_devMode = nullptr;  // the printer set up last
    HGLOBAL m_devNames = nullptr;
};

}  // namespace diduzozoz::win
