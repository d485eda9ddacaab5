#include "tests/win32/RemoteDialog.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace diduzozoz::remote {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
// Generous: Wine on a loaded two-core machine is slow; a hang is for ever.
constexpr auto kDeadline = std::chrono::seconds(60);
constexpr UINT kSendTimeoutMs = 60000;

const wchar_t kMainTitle[] = L"DiDuzozoz（V　２．０１）";

// Polls until done() holds, a few milliseconds apart, at most kDeadline.
void WaitFor(const std::function<bool()>& done, const std::string& what) {
    const auto end = Clock::now() + kDeadline;
    while (!done()) {
        if (Clock::now() > end) throw Failure("gave up waiting for " + what);
        Sleep(5);
    }
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// A window's text, asked of the window itself: another process's controls keep theirs.
std::wstring TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kSendTimeoutMs, &got);
    text.resize(got);
    return text;
}

struct FindWindows {
    DWORD pid;
    std::vector<HWND> found;
};

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
    FindWindows find{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<FindWindows*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == f->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == L"#32770") {
                f->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

}  // namespace

void Check(bool ok, const std::string& what) {
    if (!ok) throw Failure(what);
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

Folder::Folder() {
    // A name no earlier run used: a folder a run could not remove (a file still open a
    // moment after its program ended) stays, and process ids repeat in a new Wine server.
    std::random_device seed;
    do {
        m_path = fs::temp_directory_path() / ("diduzozoz-driver-" + std::to_string(seed()));
    } while (!fs::create_directories(m_path));
}

Folder::~Folder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

void Folder::Write(const char* name, const std::string& bytes) {
    std::ofstream(m_path / name, std::ios::binary) << bytes;
}

Clipboard ReadClipboard() {
    Clipboard clip;
    WaitFor([] { return OpenClipboard(nullptr) != 0; }, "the clipboard");
    clip.sequence = GetClipboardSequenceNumber();
    clip.bitmap = IsClipboardFormatAvailable(CF_BITMAP);
    if (HANDLE dib = GetClipboardData(CF_DIB)) {
        const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(dib));
        if (info && info->bmiHeader.biBitCount == 1 && info->bmiHeader.biCompression == BI_RGB) {
            const BITMAPINFOHEADER& h = info->bmiHeader;
            const int w = h.biWidth, rows = h.biHeight > 0 ? h.biHeight : -h.biHeight;
            const int colours = h.biClrUsed ? static_cast<int>(h.biClrUsed) : 2;
            const auto* bits =
                reinterpret_cast<const BYTE*>(info) + h.biSize + colours * sizeof(RGBQUAD);
            const std::size_t stride = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
            clip.dib.width = w;
            clip.dib.height = rows;
            clip.dib.grey.resize(static_cast<std::size_t>(w) * rows);
            for (int y = 0; y < rows; ++y) {
                const BYTE* row = bits + stride * (h.biHeight > 0 ? rows - 1 - y : y);
                for (int x = 0; x < w; ++x) {
                    const int index = (row[x >> 3] >> (7 - (x & 7))) & 1;
                    const RGBQUAD c = info->bmiColors[index];
                    clip.dib.grey[static_cast<std::size_t>(y) * w + x] =
                        static_cast<std::uint8_t>((c.rgbRed + c.rgbGreen + c.rgbBlue) / 3);
                }
            }
            clip.dibPixelsPerMetre = h.biXPelsPerMeter;
        }
        GlobalUnlock(dib);
    }
    if (HANDLE png = GetClipboardData(RegisterClipboardFormatW(L"PNG"))) {
        const char* bytes = static_cast<const char*>(GlobalLock(png));
        if (bytes) clip.png.assign(bytes, GlobalSize(png));
        GlobalUnlock(png);
    }
    CloseClipboard();
    return clip;
}

void EmptyTheClipboard() {
    WaitFor([] { return OpenClipboard(nullptr) != 0; }, "the clipboard");
    EmptyClipboard();
    CloseClipboard();
}

ProgramRun RunProgram(const fs::path& program, const std::vector<std::string>& args,
                      const fs::path& folder) {
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (const std::string& arg : args) line += L" \"" + Wide(arg) + L"\"";
    // A file of its own each run: under Wine a program's files may stay open a moment after
    // it has ended.
    static int runs = 0;
    const fs::path outPath = folder / ("stdout-" + std::to_string(++runs) + ".txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    Check(out != INVALID_HANDLE_VALUE, "cannot create " + outPath.string());
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = out;
    startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    ProgramRun run;
    // Under Wine on a busy machine a start fails now and then; a start that failed ran
    // nothing, so trying again changes no result.
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &process);
        if (!started) Sleep(200);
    }
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        run.exitCode = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(nul);
    std::ifstream in(outPath, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    run.out = s.str();
    return run;
}

Dialog::Dialog(const fs::path& program, const fs::path& folder) {
    m_boxTitle = program.stem().wstring();
    m_settled = RegisterWindowMessageW(L"DiDuzozoz.Settled");
    std::wstring line = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    DWORD error = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {  // as RunProgram's
        if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &m_process)) {
            return;
        }
        error = GetLastError();
        Sleep(200);
    }
    throw Failure("cannot start " + program.string() + ", error " + std::to_string(error));
}

Dialog::~Dialog() {
    if (Running()) {
        if (m_main) PostMessageW(m_main, WM_CLOSE, 0, 0);
        for (int i = 0; i < 200 && Running(); ++i) {
            AnswerBoxes();
            Sleep(10);
        }
        if (Running()) TerminateProcess(m_process.hProcess, 1);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

std::vector<HWND> Dialog::Boxes() {
    std::vector<HWND> boxes;
    for (HWND hwnd : TopLevelWindowsOf(m_process.dwProcessId)) {
        if (hwnd == m_main) continue;
        wchar_t title[256] = {};
        GetWindowTextW(hwnd, title, 256);  // a top-level window's title is its own
        if (m_boxTitle == title) boxes.push_back(hwnd);
    }
    return boxes;
}

bool Dialog::AnswerBoxes() {
    const std::vector<HWND> boxes = Boxes();
    for (HWND box : boxes) {
        // The message is the longest text of the box's statics (the icon's has none).
        std::wstring message;
        for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
             child = FindWindowExW(box, child, L"Static", nullptr)) {
            const std::wstring text = TextOf(child);
            if (text.size() > message.size()) message = text;
        }
        m_boxes.push_back(Utf8(message));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); },
                "a message box to close");
    }
    return !boxes.empty();
}

HWND Dialog::Main() {
    if (m_main) return m_main;
    WaitFor(
        [this] {
            AnswerBoxes();
            for (HWND hwnd : TopLevelWindowsOf(m_process.dwProcessId)) {
                wchar_t title[256] = {};
                GetWindowTextW(hwnd, title, 256);
                if (std::wstring(title) == kMainTitle) m_main = hwnd;
            }
            return m_main != nullptr || !Running();
        },
        "the dialog");
    Check(m_main != nullptr, "the program ended without showing its dialog");
    Settle();
    return m_main;
}

std::vector<std::string> Dialog::Take() {
    std::vector<std::string> boxes;
    boxes.swap(m_boxes);
    return boxes;
}

void Dialog::Settle() {
    WaitFor(
        [this] {
            if (AnswerBoxes()) return false;
            if (!IsWindow(m_main)) return true;  // closed: nothing more to come
            DWORD_PTR settled = 0;
            return SendMessageTimeoutW(m_main, m_settled, 0, 0, SMTO_NORMAL, kSendTimeoutMs,
                                       &settled) &&
                   settled == 1;
        },
        "the dialog to settle");
}

void Dialog::Do(const std::function<void()>& action) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        action();
        done = true;
    });
    try {
        WaitFor(
            [&] {
                AnswerBoxes();
                return done.load();
            },
            "an action to be carried out");
    } catch (...) {
        worker.detach();  // its sends end by their own time limit
        throw;
    }
    worker.join();
    Settle();
}

void Dialog::WaitUntil(const std::function<bool()>& done, const std::string& what) {
    WaitFor(
        [&] {
            AnswerBoxes();
            return done();
        },
        what);
}

HWND Dialog::Control(int id) {
    HWND hwnd = GetDlgItem(Main(), id);
    Check(hwnd != nullptr, "no control " + std::to_string(id));
    return hwnd;
}

std::string Dialog::Text(int id) {
    return Utf8(TextOf(Control(id)));
}

bool Dialog::Checked(int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(Control(id), BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

bool Dialog::Enabled(int id) {
    return IsWindowEnabled(Control(id)) != 0;
}

void Dialog::Click(int id) {
    HWND button = Control(id);
    Do([button] {
        SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, nullptr);
    });
}

void Dialog::Pick(int id, int index) {
    HWND combo = Control(id);
    HWND main = Main();
    Do([=] {
        SendMessageTimeoutW(combo, CB_SETCURSEL, index, 0, SMTO_NORMAL, kSendTimeoutMs, nullptr);
        SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(combo), SMTO_NORMAL, kSendTimeoutMs, nullptr);
    });
}

void Dialog::Type(int id, const std::string& text) {
    HWND edit = FindWindowExW(Control(id), nullptr, L"Edit", nullptr);
    Check(edit != nullptr, "no edit field in combo " + std::to_string(id));
    const std::wstring wide = Wide(text);
    // Typed over the whole field, a character at a time: each one reaches the dialog as the
    // combo's CBN_EDITCHANGE, as typing does.
    Do([edit, &wide] {
        SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_NORMAL, kSendTimeoutMs, nullptr);
        if (wide.empty()) {
            SendMessageTimeoutW(edit, WM_CHAR, VK_BACK, 1, SMTO_NORMAL, kSendTimeoutMs, nullptr);
        }
        for (wchar_t c : wide) {
            SendMessageTimeoutW(edit, WM_CHAR, c, 1, SMTO_NORMAL, kSendTimeoutMs, nullptr);
        }
    });
}

void Dialog::Step(int buddy, int delta) {
    HWND edit = Control(buddy);
    const WPARAM key = delta > 0 ? VK_UP : VK_DOWN;
    Do([edit, key] {
        SendMessageTimeoutW(edit, WM_KEYDOWN, key, 1, SMTO_NORMAL, kSendTimeoutMs, nullptr);
        SendMessageTimeoutW(edit, WM_KEYUP, key, 0xC0000001, SMTO_NORMAL, kSendTimeoutMs, nullptr);
    });
}

void Dialog::PostKey(int id, int key) {
    HWND target = Control(id);
    if (HWND edit = FindWindowExW(target, nullptr, L"Edit", nullptr)) target = edit;
    PostMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    PostMessageW(target, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
}

void Dialog::Close() {
    Click(IDCANCEL);
    WaitFor([this] { return !Running(); }, "the program to end");
}

bool Dialog::Running() {
    return WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

}  // namespace diduzozoz::remote
