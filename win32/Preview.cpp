#include "win32/Preview.h"

#include <algorithm>
#include <vector>

#include "dialog/VerdictPlacement.h"
#include "render/BarCanvas.h"

namespace diduzozoz::win {

namespace {

constexpr wchar_t kSelf[] = L"DiDuzozoz.Preview";

// The screen's dots per inch where the window is; per-monitor where the system tells it.
UINT DpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi) {
        if (const UINT dpi = getDpi(hwnd)) return dpi;
    }
    HDC dc = GetDC(hwnd);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(hwnd, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

CPreview::~CPreview() {
    if (m_frame && m_oldProc) {
        SetWindowLongPtrW(m_frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
        RemovePropW(m_frame, kSelf);
    }
}

void CPreview::Attach(HWND frame) {
    m_frame = frame;
    SetPropW(frame, kSelf, this);
    m_oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPreview::Proc)));
}

void CPreview::SetVerdict(const std::wstring& text, VerdictTone tone, int w, int h) {
    m_verdict = text;
    m_tone = tone;
    m_drawnW = w;
    m_drawnH = h;
    Repaint();
}

void CPreview::Repaint() {
    if (m_frame) InvalidateRect(m_frame, nullptr, FALSE);
}

int CPreview::Scale() const {
    // Whole screen pixels per barcode pixel, so bars stay crisp and of even width; at a
    // fractional ratio the barcode is a little smaller rather than blurred.
    return std::max(1, static_cast<int>(DpiOf(m_frame) / 96));
}

LRESULT CALLBACK CPreview::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CPreview*>(GetPropW(hwnd, kSelf));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        self->Paint(dc, client);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;  // everything is painted in WM_PAINT
    // The frame's text is what it shows, in words; a static frame would keep none.
    if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(self->m_description.size());
    if (msg == WM_GETTEXT) {
        if (wParam == 0) return 0;
        const std::size_t n = std::min<std::size_t>(self->m_description.size(), wParam - 1);
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        std::copy_n(self->m_description.c_str(), n, out);
        out[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    return CallWindowProcW(self->m_oldProc, hwnd, msg, wParam, lParam);
}

void CPreview::Paint(HDC dc, const RECT& client) {
    // Off screen first, so the preview never flickers white between two drawings.
    const int w = client.right - client.left, h = client.bottom - client.top;
    if (w <= 0 || h <= 0) return;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // Inside the black frame of the template's control.
    const RECT area{1, 1, std::max(1, w - 1), std::max(1, h - 1)};
    const int scale = Scale();
    PaintCanvas(memory, area, scale);
    PaintVerdict(memory, area, scale);
    FrameRect(memory, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void CPreview::PaintCanvas(HDC dc, const RECT& area, int scale) {
    const int areaW = area.right - area.left, areaH = area.bottom - area.top;
    const int cols =
        std::min({(areaW + scale - 1) / scale, m_canvas.UsedWidth(), m_canvas.StoredWidth()});
    const int rows = std::min((areaH + scale - 1) / scale, m_canvas.UsedHeight());
    if (cols <= 0 || rows <= 0) return;
    // A top-down 1-bit picture of the part the preview shows, palette white then black.
    const int stride = ((cols + 31) / 32) * 4;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride) * rows, 0);
    int shown = 0;
    for (; shown < rows; ++shown) {
        const std::uint8_t* row = m_canvas.Row(shown);
        if (!row) break;
        BYTE* out = bits.data() + static_cast<std::size_t>(stride) * shown;
        for (int x = 0; x < cols; ++x) {
            if (row[x]) out[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
        }
    }
    if (shown == 0) return;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = cols;
    info.header.biHeight = -shown;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[0] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    info.colours[1] = RGBQUAD{0, 0, 0, 0};
    // Whole pixels to whole squares of pixels: nothing to smooth.
    SetStretchBltMode(dc, COLORONCOLOR);
    HRGN clip = CreateRectRgn(area.left, area.top, area.right, area.bottom);
    SelectClipRgn(dc, clip);
    StretchDIBits(dc, area.left, area.top, cols * scale, shown * scale, 0, 0, cols, shown,
                  bits.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
}

void CPreview::PaintVerdict(HDC dc, const RECT& area, int scale) {
    if (m_verdict.empty()) return;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetParent(m_frame), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const UINT dpi = DpiOf(m_frame);
    VerdictTextLayout layout;
    layout.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    layout.padX = MulDiv(4, static_cast<int>(dpi), 96);
    layout.padY = MulDiv(1, static_cast<int>(dpi), 96);
    layout.linesAt = [&](int width) {
        RECT r{0, 0, width, 0};
        DrawTextW(dc, m_verdict.c_str(), static_cast<int>(m_verdict.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        if (r.right > width) return kVerdictNoFit;  // a word wider than the band
        return std::max(1,
                        static_cast<int>((r.bottom + layout.lineHeight / 2) / layout.lineHeight));
    };
    const int areaW = area.right - area.left, areaH = area.bottom - area.top;
    const VerdictBox box = PlaceVerdict(areaW, areaH, m_drawnW * scale, m_drawnH * scale, layout);
    RECT r{area.left + box.x, area.top + box.y, area.left + box.x + box.width,
           area.top + box.y + box.height};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const COLORREF ink = m_tone == VerdictTone::kGood  ? RGB(0x00, 0x66, 0x22)
                         : m_tone == VerdictTone::kBad ? RGB(0xB0, 0x00, 0x20)
                                                       : RGB(0x44, 0x44, 0x44);
    SetTextColor(dc, ink);
    SetBkMode(dc, TRANSPARENT);
    InflateRect(&r, -layout.padX, -layout.padY);
    DrawTextW(dc, m_verdict.c_str(), static_cast<int>(m_verdict.size()), &r,
              DT_NOPREFIX | (box.wrapped ? DT_WORDBREAK : DT_SINGLELINE | DT_END_ELLIPSIS));
    SelectObject(dc, oldFont);
}

}  // namespace diduzozoz::win
