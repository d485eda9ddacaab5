#include "dialog/PreviewWidget.h"

#include <QImage>
#include <QPainter>
#include <QtMath>
#include <algorithm>

#include "render/BarCanvas.h"

namespace diduzozoz {

CPreview::CPreview(const BarCanvas& canvas, QWidget* parent) : QFrame(parent), m_canvas(canvas) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage CPreview::Snapshot() const {
    const qreal dpr = devicePixelRatioF();
    const QRect area = contentsRect();
    const int w = qCeil(area.width() * dpr);
    const int h = qCeil(area.height() * dpr);
    QImage image(std::max(w, 1), std::max(h, 1), QImage::Format_Grayscale8);
    image.fill(0xFF);
    const int cols = std::min({w, m_canvas.UsedWidth(), m_canvas.StoredWidth()});
    const int rows = std::min(h, m_canvas.UsedHeight());
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* row = m_canvas.Row(y);
        if (!row) break;
        uchar* out = image.scanLine(y);
        for (int x = 0; x < cols; ++x) {
            if (row[x]) out[x] = 0;
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
