#include "win32/BarcodeWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/Strings.h"
#include "platform/ListFile.h"
#include "win32/Clipboard.h"
#include "win32/LabelSheetWindow.h"
#include "win32/WinText.h"

namespace diduzozoz::win {

namespace {

INT_PTR CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

CBarcodeWindow::CBarcodeWindow(HINSTANCE instance) : CTemplateDialog(instance, ExecutableName()) {
    m_preview = &m_previewFrame;
    m_icon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    m_smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    m_settledMessage = RegisterWindowMessageW(kSettledMessage);
}

CBarcodeWindow::~CBarcodeWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
    if (m_icon) DestroyIcon(m_icon);
    if (m_smallIcon) DestroyIcon(m_smallIcon);
}

int CBarcodeWindow::DoModal() {
    // Modal as a class library runs it: the dialog's own message loop, so the dialog sees
    // every key before its controls do.
    m_hwnd = CreateDialogParamW(m_instance, MAKEINTRESOURCEW(IDD_DIDUZOZOZ_DIALOG), nullptr,
                                &CTemplateDialog::DialogProc, CreationParameter());
    if (!m_hwnd) return -1;
    ShowWindow(m_hwnd, SW_SHOW);
    m_running = true;
    MSG msg;
    while (m_running) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslate(msg) || IsDialogMessageW(m_hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Detach();
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    return m_result;
}

INT_PTR CBarcodeWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto result = [this](LRESULT value) {
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, value);
        return TRUE;
    };
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;  // the system sets the focus
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == UDN_DELTAPOS) {
                const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
                m_dlg.OnDeltaPos(static_cast<int>(header->idFrom), change->iPos, change->iDelta);
                return result(FALSE);  // the spin carries out its step whatever the handler did
            }
            return FALSE;
        }
        case WM_PAINT:
            OnPaintMessage();
            return TRUE;
        case WM_SYSCOMMAND:
            if (m_dlg.OnSysCommand(static_cast<int>(wParam))) return result(0);
            return FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_icon);
        case WM_HELP:
            return result(m_dlg.OnHelpInfo());
        case WM_CONTEXTMENU:
            OnContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return TRUE;
        case WM_CLOSE:
            m_dlg.OnClicked(IDCANCEL);
            return TRUE;
        default:
            if (msg == m_settledMessage && m_settledMessage != 0) {
                return result(!m_dlg.CreateQueued() && !TasksWaiting() && m_modal == 0);
            }
            return FALSE;
    }
}

void CBarcodeWindow::OnInitDialog() {
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
    // A held arrow steps one at a time, as the Qt window's does: the logic takes every change
    // other than +1 as one step down.
    for (int spin : {IDC_SPIN_HEIGHT, IDC_SPIN_MARGIN_X, IDC_SPIN_MARGIN_Y}) {
        UDACCEL accel{0, 1};
        SendDlgItemMessageW(m_hwnd, spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
    WidenButtonsToTheirText();
    m_previewFrame.Attach(Item(IDC_PREVIEW));
    m_dlg.OnInitDialog();
    for (int combo : {IDC_CODE, IDC_REFNO}) m_acceptedText[combo] = WindowText(Item(combo));
}

void CBarcodeWindow::WidenButtonsToTheirText() {
    // Where the system's check marks and font are wider than the template allowed for, a radio
    // button or check box grows to show its whole text, as the Qt window's do.
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0)));
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (type != BS_AUTORADIOBUTTON && type != BS_AUTOCHECKBOX) continue;
        const std::wstring text = WindowText(child);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        const int needed =
            GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2 + extent.cx;
        RECT r;
        GetWindowRect(child, &r);
        if (needed > r.right - r.left) {
            SetWindowPos(child, nullptr, 0, 0, needed, r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
}

void CBarcodeWindow::OnCommand(int id, int code) {
    if (code == 0) {  // a menu's: the context menu lists its commands
        for (const MenuItem& item : m_dlg.ContextMenu()) {
            if (item.command != id) continue;
            m_dlg.OnMenuCommand(id);
            return;
        }
    }
    switch (code) {
        case BN_CLICKED:
            if (id == IDOK) return;  // no such button: Enter is swallowed before it gets here
            if (!IsWindowEnabled(Item(id))) {
                // A click that reached a disabled box anyway (a program's BM_CLICK) does
                // nothing, as the mouse does nothing there: its tick goes back.
                if ((GetWindowLongW(Item(id), GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
                    SetChecked(id, !IsChecked(id));
                }
                return;
            }
            m_dlg.OnClicked(id);
            break;
        case CBN_SELCHANGE:
            m_dlg.OnSelChange(id);
            // The edit field takes the item's text once this is handled.
            if (m_acceptedText.count(id)) m_acceptedText[id] = Wide(ItemText(id, CurSel(id)));
            break;
        case CBN_EDITCHANGE: {
            HWND combo = Item(id);
            const std::wstring text = WindowText(combo);
            if (!m_dlg.AcceptsEdit(id, Utf8(text))) {
                // Refused whole (the logic beeped): the field goes back to what it held.
                const std::wstring& before = m_acceptedText[id];
                SetWindowTextW(combo, before.c_str());
                const int end = static_cast<int>(before.size());
                SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
                return;
            }
            m_acceptedText[id] = text;
            m_dlg.OnEditChange(id);
            break;
        }
        default:
            break;
    }
}

void CBarcodeWindow::OnPaintMessage() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (IsIconic(m_hwnd)) {
        // The icon at the centre of the minimised window.
        SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client;
        GetClientRect(m_hwnd, &client);
        const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
        DrawIcon(dc, (client.right - client.left - cx + 1) / 2,
                 (client.bottom - client.top - cy + 1) / 2, m_icon);
        EndPaint(m_hwnd, &ps);
        return;
    }
    EndPaint(m_hwnd, &ps);  // the dialog's own painting is its background and its controls
    m_dlg.OnPaint();
}

void CBarcodeWindow::OnContextMenu(int x, int y) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (const MenuItem& item : m_dlg.ContextMenu()) {
        if (item.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        const std::string text =
            item.shortcut.empty() ? item.text : item.text + "\t" + item.shortcut;
        AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(item.command), Wide(text).c_str());
    }
    if (x == -1 && y == -1) {  // from the keyboard: at the preview
        RECT r;
        GetWindowRect(Item(IDC_PREVIEW), &r);
        x = r.left + 8;
        y = r.top + 8;
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, m_hwnd, nullptr);
    DestroyMenu(menu);
}

bool CBarcodeWindow::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !msg.hwnd ||
        (msg.hwnd != m_hwnd && !IsChild(m_hwnd, msg.hwnd))) {
        return false;
    }
    const int key = static_cast<int>(msg.wParam);
    if (GetKeyState(VK_CONTROL) < 0) {
        if (const int command = CBarcodeDlg::ShortcutCommand(key, GetKeyState(VK_SHIFT) < 0)) {
            m_dlg.OnMenuCommand(command);
            return true;
        }
    }
    return m_dlg.PreTranslateKey(key);
}

void CBarcodeWindow::RunLabelSheet(const LabelSheetSource& source) {
    ++m_modal;
    CLabelSheetWindow labels(m_instance, m_title, source);
    labels.DoModal(m_hwnd);
    --m_modal;
}

std::string CBarcodeWindow::PrintImage(const ExportImage& image, int modulePixels,
                                       const verify::Meant& meant) {
    ++m_modal;
    const HDC printer = m_printerSetup.Choose(m_hwnd);
    --m_modal;
    if (!printer) return {};
    std::string failure = win::PrintImage(printer, image, modulePixels, meant);
    DeleteDC(printer);
    return failure;
}

// --- Controls and services
// ----------------------------------------------------------------------------------

void CBarcodeWindow::SetText(int id, const std::string& text) {
    CTemplateDialog::SetText(id, text);
    if (m_acceptedText.count(id)) m_acceptedText[id] = Wide(text);
}

std::optional<std::string> CBarcodeWindow::ReadListFile(const char* name) {
    return diduzozoz::ReadListFile(name);
}

std::string CBarcodeWindow::ResourceString(int id) {
    const wchar_t* text = nullptr;
    // With no buffer, the length and a pointer into the resource itself.
    const int n =
        LoadStringW(m_instance, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? Utf8(std::wstring_view(text, static_cast<std::size_t>(n))) : "";
}

void CBarcodeWindow::AppendSystemMenuItem(int command, const std::string& text) {
    HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), Wide(text).c_str());
}

bool CBarcodeWindow::IsMinimised() {
    return IsIconic(m_hwnd) != 0;
}

void CBarcodeWindow::RunAboutBox() {
    ++m_modal;
    DialogBoxParamW(m_instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), m_hwnd, AboutProc, 0);
    --m_modal;
}

void CBarcodeWindow::EndDialog(int result) {
    m_result = result;
    m_running = false;
    PostMessageW(m_hwnd, WM_NULL, 0, 0);  // the loop wakes and ends
}

void CBarcodeWindow::DescribePreview(const std::string& text) {
    m_previewFrame.SetDescription(Wide(std::string(str::kAccPreview) + " " + text));
}

void CBarcodeWindow::ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) {
    m_previewFrame.SetVerdict(Wide(text), tone, w, h);
}

void CBarcodeWindow::SetClipboardImage(const ExportImage& image) {
    PutOnClipboard(m_hwnd, image);
}

}  // namespace diduzozoz::win
