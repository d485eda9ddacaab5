// The label-sheet dialog as a native Windows dialog: template 103 of the resource script run
// modally over the main dialog, its notifications handed to the logic (CLabelSheetDlg), and the
// sheets printed through the print dialog.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/LabelSheetDlg.h"
#include "win32/Preview.h"
#include "win32/Print.h"
#include "win32/TemplateDialog.h"

namespace diduzozoz::win {

class CLabelSheetWindow : public CTemplateDialog, public LabelPrinter {
  public:
    // title: of message boxes, the executable's name.
    CLabelSheetWindow(HINSTANCE instance, std::wstring title, const LabelSheetSource& source);
    ~CLabelSheetWindow() override;

    // Runs the dialog modally over owner until it is closed.
    void DoModal(HWND owner);

    void EndDialog(int result) override;

    // LabelPrinter
    int BeginPrint(const sheet::Layout& layout) override;
    void BeginSheet(std::int64_t sheet) override;
    void Draw(const sheet::PlacedBarcode& placed, const ExportImage& image) override;
    void EndSheet() override;
    std::string EndPrint() override;
    void AbortPrint() override;

  private:
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();

    CLabelSheetDlg m_dlg;
    CPreview m_previewFrame{m_dlg.Preview()};

    CPrinterSetup m_printerSetup;
    HDC m_printer = nullptr;
    bool m_printing = false;  // a document started, and every page so far went
    POINT m_offset{0, 0};     // the printable area's corner from the page's
};

}  // namespace diduzozoz::win
