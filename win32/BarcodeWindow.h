// The main dialog as a native Windows dialog: template 102 of the resource script as it is,
// the platform's notifications handed to the dialog's logic (CBarcodeDlg), and what the
// logic asks of its window done with the Windows API.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "dialog/BarcodeDlg.h"
#include "dialog/Controls.h"
#include "win32/Commands.h"
#include "win32/DialogControls.h"
#include "win32/Preview.h"

namespace diduzozoz::win {

// A message a program may send the dialog to learn whether it is settled: 1 once no run of
// the Create command and no posted work is waiting, else 0. Tests wait for it.
inline constexpr wchar_t kSettledMessage[] = L"DiDuzozoz.Settled";

class CBarcodeWindow : public DialogControls {
  public:
    explicit CBarcodeWindow(HINSTANCE instance);
    ~CBarcodeWindow() override;
    CBarcodeWindow(const CBarcodeWindow&) = delete;
    CBarcodeWindow& operator=(const CBarcodeWindow&) = delete;

    // Runs the dialog modally until it is closed; its result.
    int DoModal();

    // Controls
    void SetText(int id, const std::string& text) override;
    void SetRange(int id, int lower, int upper) override;
    void SetPos(int id, int pos) override;
    std::optional<std::string> ReadListFile(const char* name) override;
    std::string ResourceString(int id) override;
    void AppendSystemMenuItem(int command, const std::string& text) override;
    void ShowMessageBox(const std::string& text) override;
    void Beep() override;
    bool IsMinimised() override;
    void RunAboutBox() override;
    void EndDialog(int result) override;
    void RepaintPreview() override;
    void DescribePreview(const std::string& text) override;
    void ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) override;
    void SetClipboardImage(const ExportImage& image) override;
    void EnableExportCommands(bool enable) override;
    void Post(std::function<void()> task) override;

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void WidenButtonsToTheirText();
    void OnCommand(int id, int code);
    void OnPaintMessage();
    void OnContextMenu(int x, int y);
    // The label dialog with the current settings, code and code list.
    void RunLabelSheet();
    // Keys the dialog takes before its controls: Enter, Escape and the shortcuts.
    bool PreTranslate(const MSG& msg);
    void RunPosted();
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    HWND DialogHandle() const override { return m_hwnd; }

    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    HICON m_icon = nullptr;
    HICON m_smallIcon = nullptr;
    std::wstring m_title;  // of message boxes: the executable's name
    bool m_running = false;
    int m_result = IDCANCEL;
    bool m_exportCommands = false;
    int m_modal = 0;  // message boxes and dialogs open over the dialog
    UINT m_settledMessage = 0;
    // The edit fields' texts the logic took, to go back to when it refuses an edit.
    std::map<int, std::wstring> m_acceptedText;
    CImageCommands m_commands;

    std::mutex m_postMutex;
    std::deque<std::function<void()>> m_posted;
    HWND m_postTarget = nullptr;  // guarded by m_postMutex: null once the window is gone

    CBarcodeDlg m_dlg{*this};
    CPreview m_preview{m_dlg.Canvas()};
};

}  // namespace diduzozoz::win
