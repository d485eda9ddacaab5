// A combo box that tells a real pick of one of its items from Qt's own bookkeeping.
#pragma once

#include <QComboBox>

namespace diduzozoz {

class CComboBox : public QComboBox {
    Q_OBJECT

  public:
    explicit CComboBox(QWidget* parent = nullptr);

  Q_SIGNALS:
    // The user chose the item at index: from the drop-down list, with the arrow keys or the
    // wheel. Not sent when the focus leaves an edit field that holds an item's text, which
    // Qt reports as an activation of that item although nobody chose anything.
    void picked(int index);

  protected:
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool m_leaving = false;
};

}  // namespace diduzozoz
