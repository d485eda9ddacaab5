#include "qt/SpinButton.h"

#include <QKeyEvent>

#include "base/Strings.h"

namespace diduzozoz {

CSpinButton::CSpinButton(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    setFocusPolicy(Qt::NoFocus);
}

void CSpinButton::SetBuddy(QLineEdit* buddy) {
    if (m_buddy) m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy) m_buddy->installEventFilter(this);
    ShowPos();
}

void CSpinButton::SetAccessibleLabel(const QString& label) {
    const std::string bytes = label.toUtf8().toStdString();
    setAccessibleName(label);
    m_up->setAccessibleName(QString::fromUtf8(FormatText(str::kAccSpinUp, bytes.c_str())));
    m_down->setAccessibleName(QString::fromUtf8(FormatText(str::kAccSpinDown, bytes.c_str())));
}

void CSpinButton::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

void CSpinButton::SetPos(int pos) {
    m_pos = pos;
    ShowPos();
}

void CSpinButton::Step(int delta) {
    if (onDeltaPos) onDeltaPos(m_pos, delta);
    int pos = m_pos + delta;
    if (pos > m_upper) pos = m_lower;
    if (pos < m_lower) pos = m_upper;
    SetPos(pos);
}

void CSpinButton::StopRepeat() {
    m_up->setDown(false);
    m_down->setDown(false);
}

void CSpinButton::ShowPos() {
    if (m_buddy) m_buddy->setText(QString::number(m_pos));
}

bool CSpinButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CSpinButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        Step(event->key() == Qt::Key_Up ? +1 : -1);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CSpinButton::resizeEvent(QResizeEvent* event) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
    QWidget::resizeEvent(event);
}

}  // namespace diduzozoz
