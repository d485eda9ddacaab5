#include "win32/DialogControls.h"

#include "win32/WinText.h"

namespace diduzozoz::win {

std::wstring WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void DialogControls::EnableControl(int id, bool enable) {
    EnableWindow(GetDlgItem(DialogHandle(), id), enable);
}

bool DialogControls::IsChecked(int id) {
    return IsDlgButtonChecked(DialogHandle(), id) == BST_CHECKED;
}

void DialogControls::SetChecked(int id, bool checked) {
    CheckDlgButton(DialogHandle(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

std::string DialogControls::Text(int id) {
    return Utf8(WindowText(GetDlgItem(DialogHandle(), id)));
}

void DialogControls::ResetContent(int id) {
    SendDlgItemMessageW(DialogHandle(), id, CB_RESETCONTENT, 0, 0);
}

void DialogControls::AddItem(int id, const std::string& text) {
    SendDlgItemMessageW(DialogHandle(), id, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int DialogControls::ItemCount(int id) {
    return static_cast<int>(SendDlgItemMessageW(DialogHandle(), id, CB_GETCOUNT, 0, 0));
}

std::string DialogControls::ItemText(int id, int index) {
    const LRESULT n = SendDlgItemMessageW(DialogHandle(), id, CB_GETLBTEXTLEN, index, 0);
    if (n == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const LRESULT got = SendDlgItemMessageW(DialogHandle(), id, CB_GETLBTEXT, index,
                                            reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
    return Utf8(text);
}

int DialogControls::CurSel(int id) {
    return static_cast<int>(SendDlgItemMessageW(DialogHandle(), id, CB_GETCURSEL, 0, 0));
}

void DialogControls::SetCurSel(int id, int index) {
    SendDlgItemMessageW(DialogHandle(), id, CB_SETCURSEL, index, 0);
}

void DialogControls::PlaceControl(int id, int x, int y, int cx, int cy) {
    // Dialog units as the dialog's own font maps them; a combo's height includes its list.
    RECT r{x, y, x + cx, y + cy};
    MapDialogRect(DialogHandle(), &r);
    SetWindowPos(GetDlgItem(DialogHandle(), id), nullptr, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(DialogHandle(), nullptr, TRUE);  // where the label stood before
}

}  // namespace diduzozoz::win
