// The exported barcode's ways out of the dialog besides the preview: the clipboard's data,
// files in the four formats, and the printer at physical size.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

#include "render/ExportImage.h"
#include "verify/Verify.h"

class QMimeData;
class QPrinter;
class QWidget;

namespace diduzozoz {

// The two-colour image handed to other programs: pure black on pure white, at 96 dpi.
QImage ToQImage(const ExportImage& image);

// Everything the clipboard offers for an exported image: the bitmap, exactly W x H, in the
// platform's image formats, and the same barcode as image/svg+xml at 96 dpi for programs that
// paste vectors. Null when there is no memory for the bitmap.
std::unique_ptr<QMimeData> ClipboardDataFor(const ExportImage& image);

// Writes the image to path in the format its extension names, at 96 dpi, through a temporary
// file renamed into place: either the whole file is there afterwards or nothing new is (an
// older file stays as it was). Empty on success, else the message to show.
QString SaveImageFile(const ExportImage& image, const QString& path);

// Prints the image on one page, a pixel as the whole number of dots nearest to 1/96 inch that
// gives it the size the standard of what it means asks for (verify::ChooseDotsPerPixel), at
// the top left of the printable area, with a note of the module width (modulePixels wide)
// beneath it. Empty on success, else the message to show; nothing is printed when no whole
// number fits.
QString PrintImage(const ExportImage& image, int modulePixels, const verify::Meant& meant,
                   QPrinter& printer);

// Saving and printing as the context menu offers them, with the file and print dialogs;
// while the program runs it remembers the folder and the kind of the last file saved, and
// the printer set up. Each returns the message to show, empty when done or cancelled.
class CImageCommands {
  public:
    CImageCommands();
    ~CImageCommands();

    QString Save(QWidget* parent, ExportImage image);
    QString Print(QWidget* parent, ExportImage image, int modulePixels, const verify::Meant& meant);

    // In place of the file dialog: the chosen path from the suggested one, empty to cancel.
    std::function<QString(const QString& suggested)> chooseSaveFile;
    // In place of the print dialog: false to cancel.
    std::function<bool(QPrinter& printer)> choosePrinter;

  private:
    QString m_folder;
    QString m_suffix = QStringLiteral("png");
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace diduzozoz
