#include "win32/Clipboard.h"

#include <cstring>
#include <vector>

namespace diduzozoz::win {

namespace {

constexpr LONG kPixelsPerMetre = (kDefaultDpi * 10000 + 127) / 254;  // 3780

// A global memory block holding bytes, or null.
HGLOBAL GlobalCopy(const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, bytes, size);
    GlobalUnlock(block);
    return block;
}

// The screen's kind of bitmap holding the image, as a drawing on the screen would be copied.
HBITMAP ScreenBitmapOf(HGLOBAL dib) {
    auto* info = static_cast<BITMAPINFO*>(GlobalLock(dib));
    if (!info) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, h.biWidth, h.biHeight);
    if (bitmap) {
        const auto* rows = reinterpret_cast<const BYTE*>(info) + h.biSize + 2 * sizeof(RGBQUAD);
        if (!SetDIBits(screen, bitmap, 0, static_cast<UINT>(h.biHeight), rows, info,
                       DIB_RGB_COLORS)) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    ReleaseDC(nullptr, screen);
    GlobalUnlock(dib);
    return bitmap;
}

}  // namespace

HGLOBAL DibOf(const ExportImage& image) {
    if (image.width <= 0 || image.height <= 0) return nullptr;
    const std::size_t stride = ((static_cast<std::size_t>(image.width) + 31) / 32) * 4;
    const std::size_t header = sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD);
    const std::size_t size = header + stride * static_cast<std::size_t>(image.height);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    auto* info = reinterpret_cast<BITMAPINFO*>(bytes);
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = image.width;
    info->bmiHeader.biHeight = image.height;  // bottom-up
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 1;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(stride * image.height);
    info->bmiHeader.biXPelsPerMeter = kPixelsPerMetre;
    info->bmiHeader.biYPelsPerMeter = kPixelsPerMetre;
    info->bmiHeader.biClrUsed = 2;
    info->bmiColors[0] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};  // index 0 white, 1 black
    info->bmiColors[1] = RGBQUAD{0, 0, 0, 0};
    BYTE* rows = bytes + header;
    for (int y = 0; y < image.height; ++y) {
        BYTE* row = rows + stride * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y)) row[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
        }
    }
    GlobalUnlock(block);
    return block;
}

bool PutOnClipboard(HWND owner, const ExportImage& image) {
    HGLOBAL dib = DibOf(image);
    if (!dib) return false;
    HBITMAP bitmap = ScreenBitmapOf(dib);
    std::vector<std::uint8_t> png;
    HGLOBAL pngBlock = nullptr;
    if (EncodePng(image, png, kDefaultDpi)) pngBlock = GlobalCopy(png.data(), png.size());

    // Another program may hold the clipboard open a moment; it is not waited for long.
    bool open = false;
    for (int attempt = 0; attempt < 10 && !(open = OpenClipboard(owner)); ++attempt) Sleep(10);
    bool put = false;
    if (open) {
        EmptyClipboard();
        // What the clipboard took belongs to it; what it refused is ours to free.
        if (bitmap && SetClipboardData(CF_BITMAP, bitmap)) bitmap = nullptr;
        if (SetClipboardData(CF_DIB, dib)) {
            dib = nullptr;
            put = true;
        }
        static const UINT pngFormat = RegisterClipboardFormatW(L"PNG");
        if (pngBlock && pngFormat && SetClipboardData(pngFormat, pngBlock)) pngBlock = nullptr;
        CloseClipboard();
    }
    if (bitmap) DeleteObject(bitmap);
    if (dib) GlobalFree(dib);
    if (pngBlock) GlobalFree(pngBlock);
    return put;
}

}  // namespace diduzozoz::win
