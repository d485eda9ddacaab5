// The preview frame: shows the top-left part of the job's canvas, one canvas pixel to one
// logical pixel where the screen's device-pixel ratio is whole (else to as many whole device
// pixels as fit). It only paints what it is given; it never starts a drawing itself.
#pragma once

#include <QFrame>
#include <QString>

class QLabel;

namespace diduzozoz {

class BarCanvas;

class CPreview : public QFrame {
    Q_OBJECT

  public:
    // How the verdict reads at a glance.
    enum class Tone { kNeutral, kGood, kBad };

    explicit CPreview(const BarCanvas& canvas, QWidget* parent = nullptr);

    // The read-back verdict of the drawing shown, along the preview's lower edge,
    // on the screen only (never in the exported image); empty: none.
    void SetVerdict(const QString& text, Tone tone = Tone::kNeutral);
    QString Verdict() const { return m_verdictText; }

    // The canvas as the preview shows it, under the verdict line: its client area size in
    // device pixels, white where the canvas holds nothing.
    QImage Snapshot() const;
    // Device pixels per canvas pixel, each way.
    int Scale() const;

    // What the canvas holds, in the words of the status line of the run that drew it; empty
    // while it is white. Screen readers read it as the preview's description.
    void SetDrawnText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The one place the description is composed from what is known about the picture.
    void UpdateDescription();
    void PlaceVerdict();

    const BarCanvas& m_canvas;
    QString m_drawnText;
    QLabel* m_verdict = nullptr;
    QString m_verdictText;
};

}  // namespace diduzozoz
