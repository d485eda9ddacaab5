#include "win32/LabelSheetWindow.h"

#include <commdlg.h>

#include <algorithm>

#include "base/Strings.h"
#include "render/ExportImage.h"
#include "win32/Print.h"
#include "win32/WinText.h"

namespace diduzozoz::win {

CLabelSheetWindow::CLabelSheetWindow(HINSTANCE instance, std::wstring title,
                                     const LabelSheetSource& source)
    : CTemplateDialog(instance, std::move(title)), m_dlg(*this, *this, *this, source) {
    m_preview = &m_previewFrame;
}

CLabelSheetWindow::~CLabelSheetWindow() {
    if (m_printer) {
        if (m_printing) AbortDoc(m_printer);
        DeleteDC(m_printer);
    }
}

void CLabelSheetWindow::DoModal(HWND owner) {
    DialogBoxParamW(m_instance, MAKEINTRESOURCEW(IDD_LABELSHEET), owner,
                    &CTemplateDialog::DialogProc, CreationParameter());
    Detach();
    m_hwnd = nullptr;
}

INT_PTR CLabelSheetWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (code == BN_CLICKED) {
                if (id == IDOK) return TRUE;  // no such button: Enter closes nothing
                m_dlg.OnClicked(id);
            } else if (code == CBN_SELCHANGE) {
                m_dlg.OnSelChange(id);
            } else if (code == EN_CHANGE && !m_settingText) {
                m_dlg.OnEditChange(id);
            }
            return TRUE;
        }
        case WM_CLOSE:
            m_dlg.OnClicked(IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

void CLabelSheetWindow::OnInitDialog() {
    m_previewFrame.Attach(Item(IDC_LS_PREVIEW));
    RECT client;
    GetClientRect(Item(IDC_LS_PREVIEW), &client);
    const int scale = std::max(m_previewFrame.Scale(), 1);
    // Inside the frame's border, in canvas pixels.
    m_dlg.SetPreviewSize((client.right - client.left) / scale - 2,
                         (client.bottom - client.top) / scale - 2);
    m_dlg.OnInitDialog();
}

void CLabelSheetWindow::EndDialog(int result) {
    ::EndDialog(m_hwnd, result);
}

// --- The file and the printer ------------------------------------------------------------------

int CLabelSheetWindow::BeginPrint(const sheet::Layout&) {
    m_printer = m_printerSetup.Choose(m_hwnd);
    if (!m_printer) return 0;
    const std::wstring document = Wide(str::kLabelPrintDocument);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = document.c_str();
    const int dpi = GetDeviceCaps(m_printer, LOGPIXELSX);
    if (dpi <= 0 || StartDocW(m_printer, &doc) <= 0) {
        DeleteDC(m_printer);
        m_printer = nullptr;
        ShowMessageBox(str::kPrintFailed);
        return 0;
    }
    m_printing = true;
    // The printer's origin is its printable area's corner; the sheet's dots count from the page's.
    m_offset = {GetDeviceCaps(m_printer, PHYSICALOFFSETX),
                GetDeviceCaps(m_printer, PHYSICALOFFSETY)};
    return dpi;
}

void CLabelSheetWindow::BeginSheet(std::int64_t) {
    if (m_printing) m_printing = StartPage(m_printer) > 0;
}

void CLabelSheetWindow::Draw(const sheet::PlacedBarcode& placed, const ExportImage& image) {
    if (m_printing) FillDots(m_printer, sheet::PlacedRectangles(placed, image), m_offset);
}

void CLabelSheetWindow::EndSheet() {
    if (m_printing) m_printing = EndPage(m_printer) > 0;
}

std::string CLabelSheetWindow::EndPrint() {
    if (!m_printer) return {};
    const bool ok = m_printing && EndDoc(m_printer) > 0;
    if (!ok) AbortDoc(m_printer);
    m_printing = false;
    DeleteDC(m_printer);
    m_printer = nullptr;
    return ok ? std::string() : std::string(str::kPrintFailed);
}

void CLabelSheetWindow::AbortPrint() {
    if (!m_printer) return;
    AbortDoc(m_printer);
    m_printing = false;
    DeleteDC(m_printer);
    m_printer = nullptr;
}

}  // namespace diduzozoz::win
