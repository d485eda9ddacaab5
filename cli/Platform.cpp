#include "cli/Platform.h"

#include <cerrno>
#include <cstdio>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#else
#include <unistd.h>
#endif

namespace diduzozoz::cli {

#if defined(_WIN32)

namespace {

std::string Narrow(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
    text.pop_back();  // the terminating NUL
    return text;
}

bool g_stdoutConsole = false;
bool g_stderrConsole = false;

bool IsConsole(DWORD stdHandle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(stdHandle), &mode) != 0;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Narrow(argv[i]));
    return args;
}

void SetUpStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    g_stdoutConsole = IsConsole(STD_OUTPUT_HANDLE);
    g_stderrConsole = IsConsole(STD_ERROR_HANDLE);
    // The progress bar moves the cursor with escape sequences.
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (g_stderrConsole && GetConsoleMode(err, &mode)) {
        SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

void WriteText(std::FILE* stream, std::string_view text) {
    const bool console = stream == stderr ? g_stderrConsole : g_stdoutConsole;
    if (!console || text.empty()) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    // UTF-16 for the console, whatever its code page; bytes that are no UTF-8 show as U+FFFD.
    std::fflush(stream);
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    // Old consoles take at most about 64 KiB a call; a surrogate pair is never split.
    for (std::size_t pos = 0; pos < wide.size();) {
        std::size_t count = std::min<std::size_t>(wide.size() - pos, 8192);
        if (pos + count < wide.size() && IS_HIGH_SURROGATE(wide[pos + count - 1])) --count;
        DWORD written = 0;
        if (!WriteConsoleW(handle, wide.data() + pos, static_cast<DWORD>(count), &written,
                           nullptr) ||
            written == 0) {
            return;
        }
        pos += written;
    }
}

bool StderrIsTerminal() {
    // Not _isatty: it is true for the NUL device too.
    return IsConsole(STD_ERROR_HANDLE);
}

// The Windows build verifies by itself: there is no twin to hand over to.
void HandOverTo(const char*, const char*, char**) {}

#else

void SetUpStandardStreams() {}

void WriteText(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

bool StderrIsTerminal() {
    return ::isatty(2) == 1;
}

void HandOverTo(const char* name, const char* installed, char** argv) {
#ifdef __linux__
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return;
    std::string dir(self, static_cast<std::size_t>(n));
    const std::size_t slash = dir.rfind('/');
    if (slash == std::string::npos) return;
    dir.resize(slash + 1);
    // Beside this program in the build tree; in the package's private directory once
    // installed, where it stays off the PATH.
    std::string candidates[] = {dir + name, dir + installed};
    std::fflush(nullptr);
    char* const own = argv[0];
    for (std::string& path : candidates) {
        argv[0] = path.data();
        ::execv(path.c_str(), argv);
    }
    argv[0] = own;
#else
    (void)name;
    (void)installed;
    (void)argv;
#endif
}

#endif

}  // namespace diduzozoz::cli
