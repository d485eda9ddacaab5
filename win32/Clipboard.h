// The exported barcode on the Windows clipboard: the bitmap (CF_BITMAP), the same pixels as a
// device-independent bitmap that says 96 dpi (CF_DIB), and as the "PNG" that office programs
// and browsers paste; all in one open, empty and close, exactly W x H pixels.
#pragma once

#include <windows.h>

#include "render/ExportImage.h"

namespace diduzozoz::win {

// False when the clipboard stayed as it was: another program held it open throughout a short
// wait, or there was no memory for the image. Nothing is reported; the drawing stays.
bool PutOnClipboard(HWND owner, const ExportImage& image);

// The image as a bottom-up 1-bit DIB, palette white then black, at 96 dpi: its header,
// palette and rows in one block, as CF_DIB holds it. Null when there is no memory.
HGLOBAL DibOf(const ExportImage& image);

}  // namespace diduzozoz::win
