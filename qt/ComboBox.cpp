#include "qt/ComboBox.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace diduzozoz {

CComboBox::CComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_leaving) Q_EMIT picked(index);
    });
    connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { OnListSelection(selected); });
    connect(this, &QComboBox::currentIndexChanged, this, [this] { SelectCurrentInList(); });
}

void CComboBox::showPopup() {
    ++m_busy;  // it selects the current item in the list before the list shows
    QComboBox::showPopup();
    --m_busy;
}

void CComboBox::hidePopup() {
    QComboBox::hidePopup();
    // Closed without a pick, the list keeps the item last highlighted in it.
    if (!view()->isVisible()) SelectCurrentInList();
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
    // While the list is closed nothing but the list's accessible interface (a screen reader,
    // voice control) selects in it: that is a pick, like one made in the open list. In the
    // open list selecting only highlights. Taking the selection away chooses nothing.
    if (m_busy || view()->isVisible()) return;
    if (selected.indexes().isEmpty() || !isEnabled()) {
        SelectCurrentInList();
        return;
    }
    const int index = selected.indexes().first().row();
    ++m_busy;
    setCurrentIndex(index);
    --m_busy;
    Q_EMIT picked(index);
}

void CComboBox::SelectCurrentInList() {
    ++m_busy;
    const QModelIndex current = model()->index(currentIndex(), modelColumn(), rootModelIndex());
    view()->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    --m_busy;
}

}  // namespace diduzozoz
