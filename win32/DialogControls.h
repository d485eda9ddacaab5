// The controls of a dialog by control id, alike in every Windows dialog the logic drives:
// enabling, check boxes and radio buttons, the text of an edit, combo boxes.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/Controls.h"

namespace diduzozoz::win {

// A window's text, whatever its length.
std::wstring WindowText(HWND hwnd);

class DialogControls : public Controls {
  public:
    void EnableControl(int id, bool enable) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    std::string Text(int id) override;
    void ResetContent(int id) override;
    // Inserted at the end: the sorted style would otherwise reorder the list.
    void AddItem(int id, const std::string& text) override;
    int ItemCount(int id) override;
    std::string ItemText(int id, int index) override;
    int CurSel(int id) override;
    void SetCurSel(int id, int index) override;
    void PlaceControl(int id, int x, int y, int cx, int cy) override;

  protected:
    // The dialog whose controls these are.
    virtual HWND DialogHandle() const = 0;
};

}  // namespace diduzozoz::win
