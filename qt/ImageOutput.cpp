#include "qt/ImageOutput.h"

#include <QFont>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "base/Strings.h"
#include "dialog/PrintPlan.h"
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

void FillDots(QPainter& painter, const std::vector<sheet::DotRect>& dots) {
    for (const sheet::DotRect& r : dots) {
        painter.fillRect(QRect(static_cast<int>(r.x), static_cast<int>(r.y),
                               static_cast<int>(r.width), static_cast<int>(r.height)),
                         Qt::black);
    }
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
    FillDots(painter, plan.bars);
    QFont font = DialogFont();
    font.setPointSize(plan.notePoints);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const sheet::DotRect& box = plan.noteBox;
    painter.drawText(QRect(static_cast<int>(box.x), static_cast<int>(box.y),
                           static_cast<int>(box.width), static_cast<int>(box.height)),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(plan.note));
    if (!painter.end()) return QString::fromUtf8(str::kPrintFailed);
    return {};
}

}  // namespace diduzozoz
