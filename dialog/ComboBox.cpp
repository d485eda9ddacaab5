#include "dialog/ComboBox.h"

namespace diduzozoz {

CComboBox::CComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_leaving) Q_EMIT picked(index);
    });
}

void CComboBox::focusOutEvent(QFocusEvent* event) {
    // The edit field finishes its editing here, and the combo answers that with an
    // activation when the text equals an item other than the current one.
    m_leaving = true;
    QComboBox::focusOutEvent(event);
    m_leaving = false;
}

}  // namespace diduzozoz
