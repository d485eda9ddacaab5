#include "qt/PreviewWidget.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QtMath>
#include <algorithm>

#include "base/Strings.h"
#include "dialog/VerdictPlacement.h"
#include "render/BarCanvas.h"

namespace diduzozoz {

CPreview::CPreview(const BarCanvas& canvas, QWidget* parent) : QFrame(parent), m_canvas(canvas) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QString::fromUtf8(str::kAccPreview));
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("verdict"));
    m_verdict->setTextFormat(Qt::PlainText);
    m_verdict->setAutoFillBackground(true);
    m_verdict->setContentsMargins(4, 1, 4, 1);
    m_verdict->hide();
}

void CPreview::SetVerdict(const QString& text, VerdictTone tone, int w, int h) {
    m_verdictText = text;
    m_drawnW = w;
    m_drawnH = h;
    m_verdict->setVisible(!text.isEmpty());
    if (text.isEmpty()) return;
    QPalette palette = m_verdict->palette();
    palette.setColor(QPalette::Window, Qt::white);
    const QColor ink = tone == VerdictTone::kGood  ? QColor(0x00, 0x66, 0x22)
                       : tone == VerdictTone::kBad ? QColor(0xB0, 0x00, 0x20)
                                                   : QColor(0x44, 0x44, 0x44);
    palette.setColor(QPalette::WindowText, ink);
    m_verdict->setPalette(palette);
    m_verdict->setToolTip(text);
    LayOutVerdict();
}

void CPreview::LayOutVerdict() {
    // Wrapped where one line is too short for it; the whole text is also the tooltip.
    const QRect area = contentsRect();
    const QFontMetrics fm = m_verdict->fontMetrics();
    const QMargins margins = m_verdict->contentsMargins();
    VerdictTextLayout layout;
    layout.lineHeight = fm.lineSpacing();
    layout.padX = margins.left();
    layout.padY = margins.top();
    layout.linesAt = [&](int width) {
        if (fm.horizontalAdvance(m_verdictText) <= width) return 1;
        const QRect wrapped =
            fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, m_verdictText);
        if (wrapped.width() > width) return kVerdictNoFit;  // a word wider than the band
        return std::max(1, (wrapped.height() + fm.lineSpacing() / 2) / fm.lineSpacing());
    };
    // The drawing's size on the screen, in the preview's own units.
    const qreal ratio = Scale() / devicePixelRatioF();
    const VerdictBox box = PlaceVerdict(area.width(), area.height(), qCeil(m_drawnW * ratio),
                                        qCeil(m_drawnH * ratio), layout);
    m_verdict->setWordWrap(box.wrapped);
    m_verdict->setText(m_verdictText);
    m_verdict->setGeometry(area.left() + box.x, area.top() + box.y, box.width, box.height);
}

QRect CPreview::VerdictRect() const {
    return m_verdict->isVisible() ? m_verdict->geometry() : QRect();
}

void CPreview::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    LayOutVerdict();
}

int CPreview::Scale() const {
    // Whole device pixels per barcode pixel, so bars stay crisp and of even width; at a
    // fractional ratio the barcode is a little smaller rather than blurred.
    return std::max(1, qFloor(devicePixelRatioF() + 1e-6));
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
