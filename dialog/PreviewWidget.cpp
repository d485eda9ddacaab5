#include "dialog/PreviewWidget.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
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
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("verdict"));
    m_verdict->setTextFormat(Qt::PlainText);
    m_verdict->setAutoFillBackground(true);
    m_verdict->setContentsMargins(4, 1, 4, 1);
    m_verdict->hide();
}

void CPreview::SetVerdict(const QString& text, Tone tone) {
    m_verdictText = text;
    UpdateDescription();
    m_verdict->setVisible(!text.isEmpty());
    if (text.isEmpty()) return;
    QPalette palette = m_verdict->palette();
    palette.setColor(QPalette::Window, Qt::white);
    const QColor ink = tone == Tone::kGood  ? QColor(0x00, 0x66, 0x22)
                       : tone == Tone::kBad ? QColor(0xB0, 0x00, 0x20)
                                            : QColor(0x44, 0x44, 0x44);
    palette.setColor(QPalette::WindowText, ink);
    m_verdict->setPalette(palette);
    m_verdict->setToolTip(text);
    PlaceVerdict();
}

void CPreview::PlaceVerdict() {
    // Along the lower edge: one line, or two where one is too short for it; the whole text is
    // also the tooltip.
    const QRect area = contentsRect();
    const QFontMetrics fm = m_verdict->fontMetrics();
    const QMargins margins = m_verdict->contentsMargins();
    const bool oneLine =
        fm.horizontalAdvance(m_verdictText) <= area.width() - margins.left() - margins.right();
    m_verdict->setWordWrap(!oneLine);
    m_verdict->setText(m_verdictText);
    const int h = (oneLine ? 1 : 2) * fm.lineSpacing() + margins.top() + margins.bottom();
    m_verdict->setGeometry(area.left(), area.bottom() + 1 - h, area.width(), h);
}

void CPreview::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PlaceVerdict();
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
    if (m_drawnText.isEmpty()) {
        setAccessibleDescription(QString::fromUtf8(str::kAccPreviewBlank));
    } else if (m_verdictText.isEmpty()) {
        setAccessibleDescription(m_drawnText);
    } else {
        setAccessibleDescription(m_drawnText + QLatin1Char('\n') + m_verdictText);
    }
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
