// The exported barcode's ways out of the dialog besides the preview: the clipboard's data,
// files in the four formats, and the printer at physical size.
#pragma once

#include <QString>
#include <memory>

#include "render/ExportImage.h"

class QMimeData;
class QPrinter;

namespace diduzozoz {

// Everything the clipboard offers for an exported image: the bitmap, exactly W x H, in the
// platform's image formats, and the same barcode as image/svg+xml at 96 dpi for programs that
// paste vectors. Null when there is no memory for the bitmap.
std::unique_ptr<QMimeData> ClipboardDataFor(const ExportImage& image);

// Writes the image to path in the format its extension names, at 96 dpi, through a temporary
// file renamed into place: either the whole file is there afterwards or nothing new is (an
// older file stays as it was). Empty on success, else the message to show.
QString SaveImageFile(const ExportImage& image, const QString& path);

// Printer dots for one barcode pixel at the printer's resolution: the whole number closest to
// a pixel of 1/96 inch, so every bar keeps its exact share of dots.
int DotsPerPixel(int printerDpi);

// Prints the image on one page at DotsPerPixel() dots a pixel, at the top left of the
// printable area, with a note of the module width (modulePixels wide) beneath it. Empty on
// success, else the message to show.
QString PrintImage(const ExportImage& image, int modulePixels, QPrinter& printer);

}  // namespace diduzozoz
