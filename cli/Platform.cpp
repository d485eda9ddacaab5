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
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <random>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace diduzozoz::cli {

#if defined(_WIN32)

namespace {

// UTF-8 to UTF-16 for the wide file APIs; false for bytes that are no UTF-8.
bool Widen(const std::string& text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                      static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return false;
    wide.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), n);
    return true;
}

std::string Narrow(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
    text.pop_back();  // the terminating NUL
    return text;
}

int OpenWide(const std::string& path, int flags) {
    std::wstring wide;
    if (!Widen(path, wide)) {
        errno = EINVAL;
        return -1;
    }
    int fd = -1;
    const errno_t err = _wsopen_s(&fd, wide.c_str(), flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                                  _S_IREAD | _S_IWRITE);
    if (err != 0) {
        errno = err;
        return -1;
    }
    return fd;
}

int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        default:
            return EIO;
    }
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

int CreateOutputFile(const std::string& path) {
    return OpenWide(path, _O_WRONLY | _O_CREAT | _O_TRUNC);
}

int CreateTempFileBeside(const std::string& path, std::string& temp) {
    std::random_device random;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = path + '.';
        for (int i = 0; i < 6; ++i) temp += kLetters[random() % 36];
        const int fd = OpenWide(temp, _O_WRONLY | _O_CREAT | _O_EXCL);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const unsigned chunk = size > (1u << 30) ? 1u << 30 : static_cast<unsigned>(size);
        const int n = _write(fd, p, chunk);
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

int CloseFile(int fd) {
    return _close(fd);
}

void RemoveFile(const std::string& path) {
    std::wstring wide;
    if (Widen(path, wide)) DeleteFileW(wide.c_str());
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
    std::wstring wideFrom, wideTo;
    if (!Widen(from, wideFrom) || !Widen(to, wideTo)) {
        errno = EINVAL;
        return false;
    }
    if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    errno = ErrnoOf(GetLastError());
    return false;
}

bool IsDirectory(const std::string& path) {
    std::wstring wide;
    if (!Widen(path, wide)) return false;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

int CreateOutputFile(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

int CreateTempFileBeside(const std::string& path, std::string& temp) {
    temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    // mkstemp makes 0600; the file should look like any other the user writes.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        errno = err;
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

int CloseFile(int fd) {
    return ::close(fd);
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
