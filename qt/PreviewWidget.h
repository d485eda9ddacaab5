// The preview frame: shows the top-left part of the job's canvas, one canvas pixel to one
// logical pixel where the screen's device-pixel ratio is whole (else to as many whole device
// pixels as fit). It only paints what it is given; it never starts a drawing itself.
#pragma once

#include <QFrame>
#include <QString>

#include "dialog/Controls.h"

class QLabel;

namespace diduzozoz {

class BarCanvas;

class CPreview : public QFrame {
    Q_OBJECT

  public:
    explicit CPreview(const BarCanvas& canvas, QWidget* parent = nullptr);

    // The read-back verdict of the drawing of w x h canvas pixels shown, beside it where
    // PlaceVerdict() finds room, on the screen only (never in the exported image); empty: none.
    void SetVerdict(const QString& text, VerdictTone tone, int w, int h);
    QString Verdict() const { return m_verdictText; }
    // Where the verdict line stands, in the preview's coordinates; empty while there is none.
    QRect VerdictRect() const;

    // The canvas as the preview shows it, under the verdict line: its client area size in
    // device pixels, white where the canvas holds nothing.
    QImage Snapshot() const;
    // Device pixels per canvas pixel, each way.
    int Scale() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void LayOutVerdict();

    const BarCanvas& m_canvas;
    QLabel* m_verdict = nullptr;
    QString m_verdictText;
    int m_drawnW = 0, m_drawnH = 0;  // the drawing the verdict is for, in canvas pixels
};

}  // namespace diduzozoz
