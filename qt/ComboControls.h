// The combo boxes of a template-built window by control id, alike in every Qt window the
// logic drives.
#pragma once

#include <QComboBox>
#include <QString>
#include <string>

#include "dialog/Controls.h"

namespace diduzozoz {

// Text between the logic (UTF-8) and Qt.
inline QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string Bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

class ComboControls : public Controls {
  public:
    void ResetContent(int id) override { Combo(id)->clear(); }
    void AddItem(int id, const std::string& text) override { Combo(id)->addItem(FromUtf8(text)); }
    int ItemCount(int id) override { return Combo(id)->count(); }
    std::string ItemText(int id, int index) override { return Bytes(Combo(id)->itemText(index)); }
    int CurSel(int id) override { return Combo(id)->currentIndex(); }
    void SetCurSel(int id, int index) override { Combo(id)->setCurrentIndex(index); }

  protected:
    // The combo box with this template id.
    virtual QComboBox* Combo(int id) const = 0;
};

}  // namespace diduzozoz
