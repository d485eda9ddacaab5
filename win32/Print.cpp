#include "win32/Print.h"

#include <commdlg.h>

#include "base/Strings.h"
#include "dialog/PrintPlan.h"
#include "win32/WinText.h"

namespace diduzozoz::win {

namespace {

// The plan painted on one page; the printer's origin is its printable area's corner.
std::string PaintPlan(HDC printer, const ExportImage& image, int modulePixels,
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

}  // namespace

CImagePrinter::~CImagePrinter() {
    if (m_devMode) GlobalFree(m_devMode);
    if (m_devNames) GlobalFree(m_devNames);
}

std::string CImagePrinter::Print(HWND owner, const ExportImage& image, int modulePixels,
                                 const verify::Meant& meant) {
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
    const std::string failure = PaintPlan(pd.hDC, image, modulePixels, meant);
    DeleteDC(pd.hDC);
    return failure;
}

}  // namespace diduzozoz::win
