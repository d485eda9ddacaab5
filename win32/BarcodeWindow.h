// The main dialog as a native Windows dialog: template 102 of the resource script as it is,
// the platform's notifications handed to the dialog's logic (CBarcodeDlg), and what the logic
// asks of the main window done with the Windows API.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "dialog/BarcodeDlg.h"
#include "win32/Preview.h"
#include "win32/Print.h"
#include "win32/TemplateDialog.h"

namespace diduzozoz::win {

// A message a program may send the dialog to learn whether it is settled: 1 once no run of
// the Create command and no posted work is waiting, else 0. Tests wait for it.
inline constexpr wchar_t kSettledMessage[] = L"DiDuzozoz.Settled";

class CBarcodeWindow : public CTemplateDialog, public MainWindowServices {
  public:
    explicit CBarcodeWindow(HINSTANCE instance);
    ~CBarcodeWindow() override;

    // Runs the dialog modally until it is closed; its result.
    int DoModal();

    // Controls, WindowServices
    void SetText(int id, const std::string& text) override;
    void EndDialog(int result) override;

    // MainWindowServices
    std::optional<std::string> ReadListFile(const char* name) override;
    std::string ResourceString(int id) override;
    void AppendSystemMenuItem(int command, const std::string& text) override;
    bool IsMinimised() override;
    void RunAboutBox() override;
    void DescribePreview(const std::string& text) override;
    void ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) override;
    void SetClipboardImage(const ExportImage& image) override;
    void EnableExportCommands(bool) override {}  // the menu is built from the logic's list
    std::string PrintImage(const ExportImage& image, int modulePixels,
                           const verify::Meant& meant) override;
    void RunLabelSheet(const LabelSheetSource& source) override;

  private:
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    void WidenButtonsToTheirText();
    void OnCommand(int id, int code);
    void OnPaintMessage();
    void OnContextMenu(int x, int y);
    // Keys the dialog takes before its controls: Enter, Escape and the shortcuts.
    bool PreTranslate(const MSG& msg);

    HICON m_icon = nullptr;
    HICON m_smallIcon = nullptr;
    bool m_running = false;
    int m_result = IDCANCEL;
    UINT m_settledMessage = 0;
    // The edit fields' texts the logic took, to go back to when it refuses an edit.
    std::map<int, std::wstring> m_acceptedText;
    CPrinterSetup m_printerSetup;

    CBarcodeDlg m_dlg{*this, *this, *this};
    CPreview m_previewFrame{m_dlg.Canvas()};
};

}  // namespace diduzozoz::win
