// The exported barcode's ways out of the dialog besides the preview and files: the clipboard's
// data, and the printer at physical size.
#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "render/ExportImage.h"
#include "sheet/Layout.h"
#include "verify/Verify.h"

class QMimeData;
class QPainter;
class QPrinter;

namespace diduzozoz {

// The two-colour image handed to other programs: pure black on pure white, at 96 dpi.
QImage ToQImage(const ExportImage& image);

// Everything the clipboard offers for an exported image: the bitmap, exactly W x H, in the
// platform's image formats, and the same barcode as image/svg+xml at 96 dpi for programs that
// paste vectors. Null when there is no memory for the bitmap.
std::unique_ptr<QMimeData> ClipboardDataFor(const ExportImage& image);

// The rectangles, in dots from the page's corner, filled black.
void FillDots(QPainter& painter, const std::vector<sheet::DotRect>& dots);

// Prints the image on one page, a pixel as the whole number of dots nearest to 1/96 inch that
// gives it the size the standard of what it means asks for (verify::ChooseDotsPerPixel), at
// the top left of the printable area, with a note of the module width (modulePixels wide)
// beneath it. Empty on success, else the message to show; nothing is printed when no whole
// number fits.
QString PrintImage(const ExportImage& image, int modulePixels, const verify::Meant& meant,
                   QPrinter& printer);

}  // namespace diduzozoz
