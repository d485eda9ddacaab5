#include "dialog/ComboBox.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace diduzozoz {

CComboBox::CComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_leaving) Q_EMIT picked(index);
    });
    connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { OnListSelection(selected); });
}

void CComboBox::showPopup() {
    ++m_busy;  // it selects the current item in the list before the list shows
    QComboBox::showPopup();
    --m_busy;
}

bool CComboBox::event(QEvent* event) {
    ++m_busy;  // a key press may search the closed list by selecting in it
    const bool handled = QComboBox::event(event);
    --m_busy;
    return handled;
}

void CComboBox::focusOutEvent(QFocusEvent* event) {
    // The edit field finishes its editing here, and the combo answers that with an
    // activation when the text equals an item other than the current one.
    m_leaving = true;
    QComboBox::focusOutEvent(event);
    m_leaving = false;
}

void CComboBox::OnListSelection(const QItemSelection& selected) {
    // An item selected in the list while it is closed, and not by the combo itself, was
    // chosen through the list's accessible interface (a screen reader, voice control): a
    // pick like one made in the open list. In the open list selecting only highlights.
    if (m_busy || view()->isVisible() || !isEnabled() || selected.indexes().isEmpty()) return;
    const int index = selected.indexes().first().row();
    ++m_busy;
    setCurrentIndex(index);
    --m_busy;
    Q_EMIT picked(index);
}

}  // namespace diduzozoz
