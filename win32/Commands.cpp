#include "win32/Commands.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "base/Strings.h"
#include "dialog/PrintPlan.h"
#include "platform/FileWriter.h"
#include "win32/WinText.h"

namespace diduzozoz::win {

namespace {

// "PNG 画像 (*.png);;SVG 画像 (*.svg)" as the save dialog's filter: name, NUL, pattern, NUL.
std::wstring FilterOf(const std::wstring& filters) {
    std::wstring out;
    std::size_t start = 0;
    while (start <= filters.size()) {
        std::size_t end = filters.find(L";;", start);
        if (end == std::wstring::npos) end = filters.size();
        const std::wstring item = filters.substr(start, end - start);
        const std::size_t open = item.rfind(L'('), close = item.rfind(L')');
        if (open != std::wstring::npos && close != std::wstring::npos && close > open) {
            out += item;
            out += L'\0';
            out += item.substr(open + 1, close - open - 1);
            out += L'\0';
        }
        start = end + 2;
    }
    return out + L'\0';
}

}  // namespace

std::string PrintImage(HDC printer, const ExportImage& image, int modulePixels,
                       const verify::Meant& meant) {
    // The printer's origin is its printable area's corner.
    const int dpi = GetDeviceCaps(printer, LOGPIXELSX);
    const PrintPlan plan =
        PlanPrint(image, modulePixels, meant,
                  {dpi, 0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)});
    if (!plan.refusal.empty()) return plan.refusal;
    const std::wstring document = Wide(str::kPrintDocument);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = document.c_str();
    if (StartDocW(printer, &doc) <= 0) return str::kPrintFailed;
    if (StartPage(printer) <= 0) {
        AbortDoc(printer);
        return str::kPrintFailed;
    }
    auto rect = [](const sheet::DotRect& r) {
        return RECT{static_cast<LONG>(r.x), static_cast<LONG>(r.y),
                    static_cast<LONG>(r.x + r.width), static_cast<LONG>(r.y + r.height)};
    };
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const sheet::DotRect& bar : plan.bars) {
        const RECT dots = rect(bar);
        FillRect(printer, &dots, black);
    }
    HFONT font = CreateFontW(-MulDiv(plan.notePoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
    HGDIOBJ oldFont = SelectObject(printer, font);
    const std::wstring note = Wide(plan.note);
    RECT noteBox = rect(plan.noteBox);
    DrawTextW(printer, note.c_str(), static_cast<int>(note.size()), &noteBox,
              DT_LEFT | DT_TOP | DT_NOPREFIX);
    SelectObject(printer, oldFont);
    DeleteObject(font);
    const bool ok = EndPage(printer) > 0;
    if (!ok) {
        AbortDoc(printer);
        return str::kPrintFailed;
    }
    return EndDoc(printer) > 0 ? std::string() : std::string(str::kPrintFailed);
}

CImageCommands::~CImageCommands() {
    if (m_devMode) GlobalFree(m_devMode);
    if (m_devNames) GlobalFree(m_devNames);
}

std::string CImageCommands::Save(HWND owner, const ExportImage& image) {
    if (m_folder.empty()) {
        PWSTR documents = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &documents))) {
            m_folder = documents;
        }
        CoTaskMemFree(documents);
    }
    const ExportImage copy = image;  // a paint's run while the dialog is open draws anew
    std::wstring file = Wide(str::kSaveDefaultName) + L'.' + m_suffix;
    file.resize(32768, L'\0');
    const std::wstring filter = FilterOf(Wide(str::kSaveFilters));
    const std::wstring title = Wide(str::kSaveTitle);
    DWORD index = 1;
    for (const wchar_t* ext : {L"png", L"svg", L"pdf", L"eps"}) {
        if (m_suffix == ext) break;
        ++index;
    }
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = index <= 4 ? index : 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = m_folder.empty() ? nullptr : m_folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn)) return {};
    file.resize(wcslen(file.c_str()));
    const std::size_t slash = file.find_last_of(L"\\/");
    if (slash != std::wstring::npos) m_folder = file.substr(0, slash);
    const std::string path = Utf8(file);
    const std::string failure = WriteFailureMessage(diduzozoz::SaveImageFile(copy, path), path);
    if (failure.empty()) {
        const std::size_t dot = file.rfind(L'.');
        m_suffix = file.substr(dot + 1);
        for (wchar_t& c : m_suffix) c = static_cast<wchar_t>(towlower(c));
    }
    return failure;
}

std::string CImageCommands::Print(HWND owner, const ExportImage& image, int modulePixels,
                                  const verify::Meant& meant) {
    const ExportImage copy = image;
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = m_devMode;
    pd.hDevNames = m_devNames;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL accepted = PrintDlgW(&pd);
    m_devMode = pd.hDevMode;
    m_devNames = pd.hDevNames;
    if (!accepted || !pd.hDC) return {};
    const std::string failure = PrintImage(pd.hDC, copy, modulePixels, meant);
    DeleteDC(pd.hDC);
    return failure;
}

}  // namespace diduzozoz::win
