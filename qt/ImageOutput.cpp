#include "qt/ImageOutput.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>

#include "base/Strings.h"
#include "dialog/PrintPlan.h"
#include "platform/FileWriter.h"
#include "qt/DialogTemplate.h"

namespace diduzozoz {

QImage ToQImage(const ExportImage& image) {
    QImage out(image.width, image.height, QImage::Format_Mono);
    if (out.isNull()) return out;
    out.setColorTable(
        {qRgb(0xFF, 0xFF, 0xFF), qRgb(0, 0, 0)});  // index 1 is black, as in the export
    out.fill(0);
    // 96 dpi whatever the screen: the size programs give a pasted bitmap stays what it was.
    const int perMetre = (kDefaultDpi * 10000 + 127) / 254;
    out.setDotsPerMeterX(perMetre);
    out.setDotsPerMeterY(perMetre);
    for (int y = 0; y < image.height; ++y) {
        uchar* line = out.scanLine(y);
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            if (row[x]) line[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
        }
    }
    return out;
}

std::unique_ptr<QMimeData> ClipboardDataFor(const ExportImage& image) {
    const QImage bitmap = ToQImage(image);
    if (bitmap.isNull()) return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setImageData(bitmap);
    const std::string svg = EncodeSvg(image, kDefaultDpi);
    data->setData(QStringLiteral("image/svg+xml"),
                  QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    return data;
}

QString SaveImageFile(const ExportImage& image, const QString& path) {
    const std::string utf8 = path.toStdString();
    return QString::fromStdString(WriteFailureMessage(diduzozoz::SaveImageFile(image, utf8), utf8));
}

QString PrintImage(const ExportImage& image, int modulePixels, const verify::Meant& meant,
                   QPrinter& printer) {
    // The page's own corner is the origin, so whole dots stay whole on the paper.
    printer.setFullPage(true);
    printer.setDocName(QString::fromUtf8(str::kPrintDocument));
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect area = layout.fullRectPixels(dpi).marginsRemoved(layout.marginsPixels(dpi));
    const PrintPlan plan = PlanPrint(image, modulePixels, meant,
                                     {dpi, area.left(), area.top(), area.width(), area.height()});
    if (!plan.refusal.empty()) return QString::fromStdString(plan.refusal);
    QPainter painter;
    if (!painter.begin(&printer)) return QString::fromUtf8(str::kPrintFailed);
    painter.setRenderHint(QPainter::Antialiasing, false);
    auto rect = [](const sheet::DotRect& r) {
        return QRect(static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.width),
                     static_cast<int>(r.height));
    };
    for (const sheet::DotRect& bar : plan.bars) painter.fillRect(rect(bar), Qt::black);
    QFont font = DialogFont();
    font.setPointSize(plan.notePoints);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(rect(plan.noteBox), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(plan.note));
    if (!painter.end()) return QString::fromUtf8(str::kPrintFailed);
    return {};
}

CImageCommands::CImageCommands() = default;
CImageCommands::~CImageCommands() = default;

QString CImageCommands::Save(QWidget* parent, ExportImage image) {
    if (m_folder.isEmpty()) {
        m_folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir()) m_folder = QDir::homePath();
    }
    const QString suggested =
        QDir(m_folder).filePath(QString::fromUtf8(str::kSaveDefaultName) + u'.' + m_suffix);
    QString path;
    if (chooseSaveFile) {
        path = chooseSaveFile(suggested);
    } else {
        const QString filters = QString::fromUtf8(str::kSaveFilters);
        QString filter;
        for (const QString& f : filters.split(QStringLiteral(";;"))) {
            if (f.contains(QStringLiteral("*.") + m_suffix)) filter = f;
        }
        path = QFileDialog::getSaveFileName(parent, QString::fromUtf8(str::kSaveTitle), suggested,
                                            filters, &filter);
    }
    if (path.isEmpty()) return {};
    const QFileInfo chosen(path);
    m_folder = chosen.absolutePath();  // also after a failure: the user is there now
    const QString failure = SaveImageFile(image, path);
    if (failure.isEmpty()) m_suffix = chosen.suffix().toLower();
    return failure;
}

QString CImageCommands::Print(QWidget* parent, ExportImage image, int modulePixels,
                              const verify::Meant& meant) {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    bool accepted = false;
    if (choosePrinter) {
        accepted = choosePrinter(*m_printer);
    } else {
        QPrintDialog dialog(m_printer.get(), parent);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) return {};
    return PrintImage(image, modulePixels, meant, *m_printer);
}

}  // namespace diduzozoz
