#include "dialog/PreviewWidget.h"

#include <QImage>
#include <QPainter>
#include <QtMath>
#include <algorithm>

#include "job/Strings.h"
#include "render/BarCanvas.h"

namespace diduzozoz {

CPreview::CPreview(const BarCanvas& canvas, QWidget* parent) : QFrame(parent), m_canvas(canvas) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QString::fromUtf8(str::kAccPreview));
    UpdateDescription();
}

int CPreview::Scale() const {
    // Whole device pixels per barcode pixel, so bars stay crisp and of even width; at a
    // fractional ratio the barcode is a little smaller rather than blurred.
    return std::max(1, qFloor(devicePixelRatioF() + 1e-6));
}

void CPreview::SetDrawnText(const QString& text) {
    if (text == m_drawnText) return;
    m_drawnText = text;
    UpdateDescription();
}

void CPreview::UpdateDescription() {
    setAccessibleDescription(m_drawnText.isEmpty() ? QString::fromUtf8(str::kAccPreviewBlank)
                                                   : m_drawnText);
}

QImage CPreview::Snapshot() const {
    const qreal dpr = devicePixelRatioF();
    const QRect area = contentsRect();
    const int w = std::max(qCeil(area.width() * dpr), 1);
    const int h = std::max(qCeil(area.height() * dpr), 1);
    const int scale = Scale();
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(0xFF);
    const int cols =
        std::min({(w + scale - 1) / scale, m_canvas.UsedWidth(), m_canvas.StoredWidth()});
    const int rows = std::min((h + scale - 1) / scale, m_canvas.UsedHeight());
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* row = m_canvas.Row(y);
        if (!row) break;
        const int top = y * scale;
        uchar* out = image.scanLine(top);
        for (int x = 0; x < cols; ++x) {
            if (!row[x]) continue;
            const int left = x * scale;
            std::fill(out + left, out + std::min(left + scale, w), uchar(0));
        }
        for (int dy = 1; dy < scale && top + dy < h; ++dy) {
            std::copy(out, out + w, image.scanLine(top + dy));
        }
    }
    image.setDevicePixelRatio(dpr);
    return image;
}

void CPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), Snapshot());
    painter.end();
    QFrame::paintEvent(event);  // the frame, over the edges
}

}  // namespace diduzozoz
