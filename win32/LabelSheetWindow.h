// The label-sheet dialog as a native Windows dialog: template 103 of the resource script run
// modally over the main dialog, its notifications handed to the logic (CLabelSheetDlg), the
// PDF saved through the save dialog and the sheets printed through the print dialog.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/Controls.h"
#include "dialog/LabelSheetDlg.h"
#include "win32/DialogControls.h"
#include "win32/Preview.h"

namespace diduzozoz::win {

class CLabelSheetWindow : public DialogControls, public LabelSheetOutput {
  public:
    // title: of message boxes, the executable's name.
    CLabelSheetWindow(HINSTANCE instance, std::wstring title, LabelSheetSource source);
    ~CLabelSheetWindow() override;
    CLabelSheetWindow(const CLabelSheetWindow&) = delete;
    CLabelSheetWindow& operator=(const CLabelSheetWindow&) = delete;

    // Runs the dialog modally over owner until it is closed.
    void DoModal(HWND owner);

    // Controls
    void SetText(int id, const std::string& text) override;
    void SetRange(int, int, int) override {}
    void SetPos(int, int) override {}
    std::optional<std::string> ReadListFile(const char*) override { return std::nullopt; }
    std::string ResourceString(int) override { return {}; }
    void AppendSystemMenuItem(int, const std::string&) override {}
    void ShowMessageBox(const std::string& text) override;
    void Beep() override { MessageBeep(0); }
    bool IsMinimised() override { return false; }
    void RunAboutBox() override {}
    void EndDialog(int result) override;
    void RepaintPreview() override { m_preview.Repaint(); }
    void DescribePreview(const std::string&) override {}
    void ShowVerdict(const std::string&, VerdictTone, int, int) override {}
    void SetClipboardImage(const ExportImage&) override {}
    void EnableExportCommands(bool) override {}
    void Post(std::function<void()> task) override { task(); }

    // LabelSheetOutput
    std::string ChooseSaveFile(const std::string& suggested) override;
    std::string WriteFile(const std::string& path, const Produce& produce) override;
    int BeginPrint(const sheet::Layout& layout) override;
    void PrintBarcode(std::int64_t sheet, const sheet::PlacedBarcode& placed,
                      const ExportImage& image) override;
    std::string EndPrint() override;
    void AbortPrint() override;

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }
    HWND DialogHandle() const override { return m_hwnd; }

    HINSTANCE m_instance;
    std::wstring m_title;
    HWND m_hwnd = nullptr;
    bool m_settingText = false;  // an edit's change notice for text the logic set itself
    CLabelSheetDlg m_dlg;
    CPreview m_preview{m_dlg.Preview()};

    HDC m_printer = nullptr;
    bool m_printing = false;
    std::int64_t m_printedSheet = 0;
    int m_offsetX = 0, m_offsetY = 0;  // the printable area's corner from the page's
};

}  // namespace diduzozoz::win
