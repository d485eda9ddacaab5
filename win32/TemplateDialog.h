// A dialog of the resource script's templates as the dialog's logic drives it: its controls by
// id and the services every window offers, done with the Windows API. The main dialog and the
// label-sheet dialog are both one, so each contract has one Windows implementation.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "dialog/Controls.h"

namespace diduzozoz::win {

class CPreview;

// The message that runs the tasks posted to a dialog.
inline constexpr UINT kRunPosted = WM_APP + 1;

// A window's text, whatever its length.
std::wstring WindowText(HWND hwnd);
// The executable's name without its extension, as message boxes are titled.
std::wstring ExecutableName();

class CTemplateDialog : public Controls, public WindowServices {
  public:
    // title: of message boxes.
    CTemplateDialog(HINSTANCE instance, std::wstring title);
    ~CTemplateDialog() override;
    CTemplateDialog(const CTemplateDialog&) = delete;
    CTemplateDialog& operator=(const CTemplateDialog&) = delete;

    // Controls
    void EnableControl(int id, bool enable) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    std::string Text(int id) override;
    void SetText(int id, const std::string& text) override;
    void ResetContent(int id) override;
    // Inserted at the end: the sorted style would otherwise reorder the list.
    void AddItem(int id, const std::string& text) override;
    int ItemCount(int id) override;
    std::string ItemText(int id, int index) override;
    int CurSel(int id) override;
    void SetCurSel(int id, int index) override;
    void SetRange(int id, int lower, int upper) override;
    void SetPos(int id, int pos) override;
    void PlaceControl(int id, int x, int y, int cx, int cy) override;

    // WindowServices (EndDialog is each window's: how it ends depends on how it runs)
    void ShowMessageBox(const std::string& text) override;
    void Beep() override;
    void RepaintPreview() override;
    void Post(std::function<void()> task) override;
    bool DispatchUntil(const std::function<bool()>& done) override;
    std::string ChooseSaveFile(const SaveFileRequest& request) override;

  protected:
    // The dialog procedure of both dialogs, with this object as the creation parameter: it
    // attaches the window on WM_INITDIALOG, runs the tasks posted to it, and hands every other
    // message to OnMessage().
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    LPARAM CreationParameter() { return reinterpret_cast<LPARAM>(this); }
    // The window goes: tasks waiting and posted from now on are dropped.
    void Detach();
    bool TasksWaiting();
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }

    HINSTANCE m_instance;
    std::wstring m_title;
    HWND m_hwnd = nullptr;
    int m_modal = 0;  // message boxes and dialogs open over this one
    // An edit's change notice for text the logic set itself is no edit of the user's.
    bool m_settingText = false;
    CPreview* m_preview = nullptr;

  private:
    void RunPosted();

    std::mutex m_postMutex;
    std::deque<std::function<void()>> m_posted;
    HWND m_postTarget = nullptr;  // guarded by m_postMutex: null while there is no window
};

}  // namespace diduzozoz::win
