#include "win32/Print.h"

#include <commdlg.h>

#include "base/Strings.h"
#include "dialog/PrintPlan.h"
#include "win32/WinText.h"

namespace diduzozoz::win {

CPrinterSetup::~CPrinterSetup() {
    if (m_devMode) GlobalFree(m_devMode);
    if (m_devNames) GlobalFree(m_devNames);
}

HDC CPrinterSetup::Choose(HWND owner) {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = m_devMode;
    pd.hDevNames = m_devNames;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL accepted = PrintDlgW(&pd);
    m_devMode = pd.hDevMode;
    m_devNames = pd.hDevNames;
    return accepted ? pd.hDC : nullptr;
}

void FillDots(HDC printer, const std::vector<sheet::DotRect>& dots, POINT offset) {
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const sheet::DotRect& r : dots) {
        const RECT rect{static_cast<LONG>(r.x - offset.x), static_cast<LONG>(r.y - offset.y),
                        static_cast<LONG>(r.x + r.width - offset.x),
                        static_cast<LONG>(r.y + r.height - offset.y)};
        FillRect(printer, &rect, black);
    }
}

// The printer's origin is its printable area's corner.
std::string PrintImage(HDC printer, const ExportImage& image, int modulePixels,
                       const verify::Meant& meant) {
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
    FillDots(printer, plan.bars);
    HFONT font = CreateFontW(-MulDiv(plan.notePoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
    HGDIOBJ oldFont = SelectObject(printer, font);
    const std::wstring note = Wide(plan.note);
    const sheet::DotRect& box = plan.noteBox;
    RECT noteBox{static_cast<LONG>(box.x), static_cast<LONG>(box.y),
                 static_cast<LONG>(box.x + box.width), static_cast<LONG>(box.y + box.height)};
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

}  // namespace diduzozoz::win
