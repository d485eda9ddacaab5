// A combo box that tells a real pick of one of its items from Qt's own bookkeeping.
#pragma once

#include <QComboBox>

class QItemSelection;

namespace diduzozoz {

class CComboBox : public QComboBox {
    Q_OBJECT

  public:
    explicit CComboBox(QWidget* parent = nullptr);

    void showPopup() override;
    void hidePopup() override;

  Q_SIGNALS:
    // The user chose the item at index: from the drop-down list, with the arrow keys or the
    // wheel, or through the list's accessible interface (an item toggled, a row selected).
    // Not sent when the focus leaves an edit field that holds an item's text, which Qt
    // reports as an activation of that item although nobody chose anything.
    void picked(int index);

  protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void OnListSelection(const QItemSelection& selected);
    // Screen readers take the current item from the list's selection: keep them one.
    void SelectCurrentInList();

    bool m_leaving = false;
    int m_busy = 0;  // inside an event of the combo or its own opening of the list
};

}  // namespace diduzozoz
