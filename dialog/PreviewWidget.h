// The preview frame: shows the top-left part of the job's canvas, one canvas pixel to one
// logical pixel where the screen's device-pixel ratio is whole (else to as many whole device
// pixels as fit). It only paints what it is given; it never starts a drawing itself.
#pragma once

#include <QFrame>

namespace diduzozoz {

class BarCanvas;

class CPreview : public QFrame {
    Q_OBJECT

  public:
    explicit CPreview(const BarCanvas& canvas, QWidget* parent = nullptr);

    // What the preview shows: its client area size in device pixels, white where the canvas
    // holds nothing.
    QImage Snapshot() const;
    // Device pixels per canvas pixel, each way.
    int Scale() const;

    // What the canvas holds, in the words of the status line of the run that drew it; empty
    // while it is white. Screen readers read it as the preview's description.
    void SetDrawnText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The one place the description is composed from what is known about the picture.
    void UpdateDescription();

    const BarCanvas& m_canvas;
    QString m_drawnText;
};

}  // namespace diduzozoz
