// An up-down control: two arrow buttons that step a position within a range, wrapping at
// both ends, and show the position in a buddy edit. Like its Windows model it tells its
// owner about a step before carrying it out, and carries it out whatever the owner did.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <functional>

namespace diduzozoz {

class CSpinButton : public QWidget {
    Q_OBJECT

  public:
    explicit CSpinButton(QWidget* parent = nullptr);

    // The buddy shows the position and passes its Up/Down keys to the spin button.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return m_buddy; }
    // Names the control and its arrows for screen readers after the value they step.
    void SetAccessibleLabel(const QString& label);
    void SetRange(int lower, int upper);
    void SetPos(int pos);
    int Pos() const { return m_pos; }
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }

    // One step as the arrows, the keys or a test make it: delta is +1 or -1.
    void Step(int delta);
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

    // Lets go of a held arrow, so that it does not repeat behind a message box that took
    // the mouse release.
    void StopRepeat();

    // Called before the position changes, with the position and the change.
    std::function<void(int pos, int delta)> onDeltaPos;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowPos();

    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_buddy = nullptr;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
};

}  // namespace diduzozoz
