// The combo boxes of a dialog by control id, alike in every Windows dialog the logic drives.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/Controls.h"

namespace diduzozoz::win {

class ComboControls : public Controls {
  public:
    void ResetContent(int id) override;
    // Inserted at the end: the sorted style would otherwise reorder the list.
    void AddItem(int id, const std::string& text) override;
    int ItemCount(int id) override;
    std::string ItemText(int id, int index) override;
    int CurSel(int id) override;
    void SetCurSel(int id, int index) override;

  protected:
    // The dialog whose combo boxes these are.
    virtual HWND DialogHandle() const = 0;
};

}  // namespace diduzozoz::win
