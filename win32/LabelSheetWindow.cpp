#include "win32/LabelSheetWindow.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "base/Strings.h"
#include "render/ExportImage.h"
#include "win32/WinText.h"

namespace diduzozoz::win {

namespace {

std::string Message(const char* format, const std::wstring& path) {
    return FormatText(format, Utf8(path).c_str());
}

}  // namespace

CLabelSheetWindow::CLabelSheetWindow(HINSTANCE instance, std::wstring title,
                                     LabelSheetSource source)
    : m_instance(instance), m_title(std::move(title)), m_dlg(*this, *this, std::move(source)) {}

CLabelSheetWindow::~CLabelSheetWindow() {
    if (m_printer) {
        if (m_printing) AbortDoc(m_printer);
        DeleteDC(m_printer);
    }
}

void CLabelSheetWindow::DoModal(HWND owner) {
    DialogBoxParamW(m_instance, MAKEINTRESOURCEW(IDD_LABELSHEET), owner,
                    &CLabelSheetWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hwnd = nullptr;
}

INT_PTR CALLBACK CLabelSheetWindow::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<CLabelSheetWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_INITDIALOG) self->m_hwnd = hwnd;
    return self->OnMessage(msg, wParam, lParam);
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
    m_preview.Attach(Item(IDC_LS_PREVIEW));
    RECT client;
    GetClientRect(Item(IDC_LS_PREVIEW), &client);
    const int scale = std::max(m_preview.Scale(), 1);
    // Inside the frame's border, in canvas pixels.
    m_dlg.SetPreviewSize((client.right - client.left) / scale - 2,
                         (client.bottom - client.top) / scale - 2);
    m_dlg.OnInitDialog();
}

// --- Controls ----------------------------------------------------------------------------------

void CLabelSheetWindow::SetText(int id, const std::string& text) {
    m_settingText = true;
    SetWindowTextW(Item(id), Wide(text).c_str());
    m_settingText = false;
}

void CLabelSheetWindow::ShowMessageBox(const std::string& text) {
    MessageBoxW(m_hwnd, Wide(text).c_str(), m_title.c_str(), MB_OK);
}

void CLabelSheetWindow::EndDialog(int result) {
    ::EndDialog(m_hwnd, result);
}

// --- The file and the printer ------------------------------------------------------------------

std::string CLabelSheetWindow::ChooseSaveFile(const std::string& suggested) {
    std::vector<wchar_t> path(32768, L'\0');
    const std::wstring start = Wide(suggested);
    std::copy(start.begin(), start.end(), path.begin());
    const std::wstring filter = Wide(str::kLabelSaveFilter) + L'\0' + L"*.pdf" + L'\0' + L'\0';
    const std::wstring title = Wide(str::kSaveTitle);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hwnd;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = L"pdf";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn)) return {};
    return Utf8(path.data());
}

std::string CLabelSheetWindow::WriteFile(const std::string& utf8Path, const Produce& produce) {
    const std::wstring path = Wide(utf8Path);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return Message(str::kSaveIsFolder, path);
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return Message(str::kSaveReadOnlyFile, path);
    }
    // Written beside the target and moved over it only once complete.
    const std::wstring temp = path + L".tmp-diduzozoz";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Message(str::kSaveCannotCreate, path);
    bool written = true;
    const bool produced = produce([&](std::string_view bytes) {
        std::size_t done = 0;
        while (written && done < bytes.size()) {
            DWORD n = 0;
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            if (!::WriteFile(file, bytes.data() + done, chunk, &n, nullptr) || n == 0) {
                written = false;
            }
            done += n;
        }
        return written;
    });
    written = written && FlushFileBuffers(file) != 0;
    written = CloseHandle(file) && written;
    if (!written || !produced) {
        DeleteFileW(temp.c_str());
        return written ? std::string() : Message(str::kSaveWriteFailed, path);
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return Message(str::kSaveWriteFailed, path);
    }
    return {};
}

int CLabelSheetWindow::BeginPrint(const sheet::Layout&) {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = m_hwnd;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    if (!PrintDlgW(&pd) || !pd.hDC) return 0;
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    m_printer = pd.hDC;
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
    m_printing = StartPage(m_printer) > 0;
    m_printedSheet = 0;
    // The printer's origin is its printable area's corner; the sheet's dots count from the page's.
    m_offsetX = GetDeviceCaps(m_printer, PHYSICALOFFSETX);
    m_offsetY = GetDeviceCaps(m_printer, PHYSICALOFFSETY);
    return dpi;
}

void CLabelSheetWindow::PrintBarcode(std::int64_t sheet, const sheet::PlacedBarcode& placed,
                                     const ExportImage& image) {
    if (!m_printing) return;
    for (; m_printedSheet < sheet; ++m_printedSheet) {
        m_printing = EndPage(m_printer) > 0 && StartPage(m_printer) > 0;
        if (!m_printing) return;
    }
    const int k = placed.dotsPerPixel;
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const PixelRect& r : BlackRectangles(image)) {
        RECT rect;
        rect.left = static_cast<LONG>(placed.x) + r.x * k - m_offsetX;
        rect.top = static_cast<LONG>(placed.y) + r.y * k - m_offsetY;
        rect.right = rect.left + r.width * k;
        rect.bottom = rect.top + r.height * k;
        FillRect(m_printer, &rect, black);
    }
}

std::string CLabelSheetWindow::EndPrint() {
    if (!m_printer) return {};
    bool ok = m_printing && EndPage(m_printer) > 0 && EndDoc(m_printer) > 0;
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
