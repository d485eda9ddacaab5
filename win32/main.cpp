// CBarcodeApp on Windows: the common controls set up, the main dialog run modally from
// template 102; the program ends when it closes.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
// clang-format on
#include <commctrl.h>
#include <objbase.h>

#include "win32/BarcodeWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // COM for the save dialog's folder views.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = 0;
    {
        diduzozoz::win::CBarcodeWindow dialog(instance);
        result = dialog.DoModal();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result < 0 ? 1 : 0;
}
