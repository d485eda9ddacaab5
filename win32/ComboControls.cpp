#include "win32/ComboControls.h"

#include "win32/WinText.h"

namespace diduzozoz::win {

void ComboControls::ResetContent(int id) {
    SendDlgItemMessageW(DialogHandle(), id, CB_RESETCONTENT, 0, 0);
}

void ComboControls::AddItem(int id, const std::string& text) {
    SendDlgItemMessageW(DialogHandle(), id, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int ComboControls::ItemCount(int id) {
    return static_cast<int>(SendDlgItemMessageW(DialogHandle(), id, CB_GETCOUNT, 0, 0));
}

std::string ComboControls::ItemText(int id, int index) {
    const LRESULT n = SendDlgItemMessageW(DialogHandle(), id, CB_GETLBTEXTLEN, index, 0);
    if (n == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const LRESULT got = SendDlgItemMessageW(DialogHandle(), id, CB_GETLBTEXT, index,
                                            reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
    return Utf8(text);
}

int ComboControls::CurSel(int id) {
    return static_cast<int>(SendDlgItemMessageW(DialogHandle(), id, CB_GETCURSEL, 0, 0));
}

void ComboControls::SetCurSel(int id, int index) {
    SendDlgItemMessageW(DialogHandle(), id, CB_SETCURSEL, index, 0);
}

}  // namespace diduzozoz::win
