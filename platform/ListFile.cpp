#include "platform/ListFile.h"

#include <algorithm>
#include <memory>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace diduzozoz {

namespace {

// A list file opened for reading only when it is a regular file, without ever blocking:
// FIFOs and pipes, devices (a terminal, /dev/zero, NUL, CON) and folders are turned away.
class RegularFile {
  public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();
    bool Open(const std::string& path);
    std::size_t Size() const;
    std::size_t Read(char* buffer, std::size_t size);  // 0 at the end or on an error

  private:
#if defined(_WIN32)
    HANDLE m_handle = INVALID_HANDLE_VALUE;
#else
    int m_fd = -1;
#endif
};

#if defined(_WIN32)

RegularFile::~RegularFile() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
}

bool RegularFile::Open(const std::string& path) {
    // File names are UTF-8, as everywhere else in the program.
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                      static_cast<int>(path.size()), nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                        wide.data(), n);
    // Folders cannot be opened without FILE_FLAG_BACKUP_SEMANTICS; pipes, consoles and other
    // devices open, and are told apart by their type before anything is read.
    m_handle = CreateFileW(wide.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(m_handle) == FILE_TYPE_DISK && GetFileInformationByHandle(m_handle, &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::size_t RegularFile::Size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_handle, &size) || size.QuadPart < 0) return 0;
    return static_cast<std::size_t>(size.QuadPart);
}

std::size_t RegularFile::Read(char* buffer, std::size_t size) {
    DWORD got = 0;
    const DWORD want = size > (1u << 30) ? 1u << 30 : static_cast<DWORD>(size);
    if (!ReadFile(m_handle, buffer, want, &got, nullptr)) return 0;
    return got;
}

#else

RegularFile::~RegularFile() {
    if (m_fd >= 0) ::close(m_fd);
}

bool RegularFile::Open(const std::string& path) {
    // Non-blocking, so that a FIFO without a writer cannot hang the open.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0) return false;
    struct stat st {};
    return ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode);
}

std::size_t RegularFile::Size() const {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || st.st_size < 0) return 0;
    return static_cast<std::size_t>(st.st_size);
}

std::size_t RegularFile::Read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n < 0 && errno == EINTR) continue;
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
}

#endif

}  // namespace

std::unique_ptr<CodeListReader> OpenListFile(const std::string& path, std::size_t limit) {
    auto file = std::make_shared<RegularFile>();
    if (!file->Open(path)) return nullptr;
    return std::make_unique<CodeListReader>(
        [file](char* buffer, std::size_t size) { return file->Read(buffer, size); }, limit);
}

std::optional<std::string> ReadListFile(const std::string& path, std::size_t maxBytes) {
    RegularFile file;
    if (!file.Open(path)) return std::nullopt;
    // Sized by the file, not by the bound, so a small list costs a small buffer; a file that
    // grows while it is read is followed up to the bound.
    std::string bytes;
    bytes.resize(std::min(file.Size(), maxBytes));
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got >= maxBytes) break;
            bytes.resize(std::min(maxBytes, std::max<std::size_t>(got * 2, 4096)));
        }
        const std::size_t n = file.Read(bytes.data() + got, bytes.size() - got);
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace diduzozoz
