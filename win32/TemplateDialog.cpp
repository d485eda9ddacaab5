#include "win32/TemplateDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "base/Strings.h"
#include "win32/Preview.h"
#include "win32/WinText.h"

namespace diduzozoz::win {

namespace {

bool IsProgressBar(HWND control) {
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    return std::wstring_view(name) == PROGRESS_CLASSW;
}

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

std::wstring DocumentsFolder() {
    std::wstring folder;
    PWSTR documents = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &documents))) {
        folder = documents;
    }
    CoTaskMemFree(documents);
    return folder;
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::wstring ExecutableName() {
    std::vector<wchar_t> path(32768);
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring name(path.data(), n);
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}

CTemplateDialog::CTemplateDialog(HINSTANCE instance, std::wstring title)
    : m_instance(instance), m_title(std::move(title)) {}

CTemplateDialog::~CTemplateDialog() = default;

// --- Controls ----------------------------------------------------------------------------------

void CTemplateDialog::EnableControl(int id, bool enable) {
    EnableWindow(Item(id), enable);
}

bool CTemplateDialog::IsChecked(int id) {
    return IsDlgButtonChecked(m_hwnd, id) == BST_CHECKED;
}

void CTemplateDialog::SetChecked(int id, bool checked) {
    CheckDlgButton(m_hwnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

std::string CTemplateDialog::Text(int id) {
    return Utf8(WindowText(Item(id)));
}

void CTemplateDialog::SetText(int id, const std::string& text) {
    m_settingText = true;
    SetWindowTextW(Item(id), Wide(text).c_str());
    m_settingText = false;
}

void CTemplateDialog::ResetContent(int id) {
    SendDlgItemMessageW(m_hwnd, id, CB_RESETCONTENT, 0, 0);
}

void CTemplateDialog::AddItem(int id, const std::string& text) {
    SendDlgItemMessageW(m_hwnd, id, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int CTemplateDialog::ItemCount(int id) {
    return static_cast<int>(SendDlgItemMessageW(m_hwnd, id, CB_GETCOUNT, 0, 0));
}

std::string CTemplateDialog::ItemText(int id, int index) {
    const LRESULT n = SendDlgItemMessageW(m_hwnd, id, CB_GETLBTEXTLEN, index, 0);
    if (n == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const LRESULT got =
        SendDlgItemMessageW(m_hwnd, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
    return Utf8(text);
}

int CTemplateDialog::CurSel(int id) {
    return static_cast<int>(SendDlgItemMessageW(m_hwnd, id, CB_GETCURSEL, 0, 0));
}

void CTemplateDialog::SetCurSel(int id, int index) {
    SendDlgItemMessageW(m_hwnd, id, CB_SETCURSEL, index, 0);
}

void CTemplateDialog::SetRange(int id, int lower, int upper) {
    const bool bar = IsProgressBar(Item(id));
    SendDlgItemMessageW(m_hwnd, id, bar ? PBM_SETRANGE32 : UDM_SETRANGE32, lower, upper);
}

void CTemplateDialog::SetPos(int id, int pos) {
    if (IsProgressBar(Item(id))) {
        SendDlgItemMessageW(m_hwnd, id, PBM_SETPOS, pos, 0);
    } else {
        SendDlgItemMessageW(m_hwnd, id, UDM_SETPOS32, 0, pos);
    }
}

void CTemplateDialog::PlaceControl(int id, int x, int y, int cx, int cy) {
    // Dialog units as the dialog's own font maps them; a combo's height includes its list.
    RECT r{x, y, x + cx, y + cy};
    MapDialogRect(m_hwnd, &r);
    SetWindowPos(Item(id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);  // where the control stood before
}

// --- WindowServices ----------------------------------------------------------------------------

void CTemplateDialog::ShowMessageBox(const std::string& text) {
    ++m_modal;
    MessageBoxW(m_hwnd, Wide(text).c_str(), m_title.c_str(), MB_OK);
    --m_modal;
}

void CTemplateDialog::Beep() {
    MessageBeep(0);
}

void CTemplateDialog::RepaintPreview() {
    if (m_preview) m_preview->Repaint();
}

INT_PTR CALLBACK CTemplateDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        auto* self = reinterpret_cast<CTemplateDialog*>(lParam);
        self->m_hwnd = hwnd;
        std::lock_guard lock(self->m_postMutex);
        self->m_postTarget = hwnd;  // tasks posted from now on reach it
    }
    auto* self = reinterpret_cast<CTemplateDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == kRunPosted) {
        self->RunPosted();
        return TRUE;
    }
    return self->OnMessage(msg, wParam, lParam);
}

void CTemplateDialog::Detach() {
    std::lock_guard lock(m_postMutex);
    m_postTarget = nullptr;
    m_posted.clear();
}

void CTemplateDialog::Post(std::function<void()> task) {
    std::lock_guard lock(m_postMutex);
    if (!m_postTarget) return;  // the window is gone: nothing to come back to
    m_posted.push_back(std::move(task));
    PostMessageW(m_postTarget, kRunPosted, 0, 0);
}

void CTemplateDialog::RunPosted() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(m_postMutex);
            if (m_posted.empty()) return;
            task = std::move(m_posted.front());
            m_posted.pop_front();
        }
        task();
    }
}

bool CTemplateDialog::TasksWaiting() {
    std::lock_guard lock(m_postMutex);
    return !m_posted.empty();
}

bool CTemplateDialog::DispatchUntil(const std::function<bool()>& done) {
    // Whoever makes done() hold posts a task, which wakes this loop to look again.
    MSG msg;
    while (!done()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
            return false;
        }
        if (m_hwnd && IsDialogMessageW(m_hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

std::string CTemplateDialog::ChooseSaveFile(const SaveFileRequest& request) {
    std::wstring folder = Wide(request.folder);
    if (folder.empty()) folder = DocumentsFolder();
    std::wstring file = Wide(request.name);
    file.resize(32768, L'\0');
    const std::wstring filter = FilterOf(Wide(request.filters));
    const std::wstring title = Wide(str::kSaveTitle);
    const std::wstring extension = Wide(request.extension);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hwnd;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filter + 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    ++m_modal;
    const BOOL chosen = GetSaveFileNameW(&ofn);
    --m_modal;
    return chosen ? Utf8(file.c_str()) : std::string();
}

}  // namespace diduzozoz::win
