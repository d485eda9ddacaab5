#include "platform/FileWriter.h"

#include <cerrno>
#include <optional>
#include <vector>

#include "base/Strings.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <random>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace diduzozoz {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

#if defined(_WIN32)

// UTF-8 to UTF-16 for the wide file APIs; nothing for bytes that are no UTF-8.
std::optional<std::wstring> Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                      static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), n);
    return wide;
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

HANDLE AsHandle(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

DWORD Attributes(const std::string& path) {
    const auto wide = Widen(path);
    return wide ? GetFileAttributesW(wide->c_str()) : INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnlyFile(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) &&
           (a & FILE_ATTRIBUTE_READONLY);
}

// A new file beside path under a name nobody else uses: its handle, or -1 (errno set).
std::intptr_t CreateTemp(const std::string& path, std::string& temp) {
    std::random_device random;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = path + '.';
        for (int i = 0; i < 6; ++i) temp += kLetters[random() % 36];
        const auto wide = Widen(temp);
        if (!wide) {
            errno = EINVAL;
            return -1;
        }
        const HANDLE h = CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return reinterpret_cast<std::intptr_t>(h);
        errno = ErrnoOf(GetLastError());
        if (errno != EEXIST) return -1;
    }
    return -1;
}

bool WriteAll(std::intptr_t handle, const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? 1u << 30 : static_cast<DWORD>(size);
        DWORD n = 0;
        const BOOL ok = ::WriteFile(AsHandle(handle), data, chunk, &n, nullptr);
        if (!ok || n == 0) {
            errno = ok ? EIO : ErrnoOf(GetLastError());
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool SyncFile(std::intptr_t handle) {
    if (FlushFileBuffers(AsHandle(handle))) return true;
    errno = ErrnoOf(GetLastError());
    return false;
}

bool CloseFile(std::intptr_t handle) {
    if (CloseHandle(AsHandle(handle))) return true;
    errno = ErrnoOf(GetLastError());
    return false;
}

void RemoveFile(const std::string& path) {
    if (const auto wide = Widen(path)) DeleteFileW(wide->c_str());
}

// Puts from in place of to in one step: to is the old file or the new one, never missing.
bool MoveIntoPlace(const std::string& from, const std::string& to, bool sync) {
    const auto wideFrom = Widen(from), wideTo = Widen(to);
    if (!wideFrom || !wideTo) {
        errno = EINVAL;
        return false;
    }
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (sync ? MOVEFILE_WRITE_THROUGH : 0);
    if (MoveFileExW(wideFrom->c_str(), wideTo->c_str(), flags)) return true;
    errno = ErrnoOf(GetLastError());
    return false;
}

#else

bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM);
}

std::intptr_t CreateTemp(const std::string& path, std::string& temp) {
    temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    // mkstemp makes 0600: a file replaced keeps its mode, a new one looks like any other the
    // user writes.
    struct stat st {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        errno = err;
        return -1;
    }
    return fd;
}

bool WriteAll(std::intptr_t fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(static_cast<int>(fd), data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool SyncFile(std::intptr_t fd) {
    // A file system that cannot sync (EINVAL) keeps the file as well as it can anyway.
    return ::fsync(static_cast<int>(fd)) == 0 || errno == EINVAL || errno == ENOTSUP;
}

bool CloseFile(std::intptr_t fd) {
    return ::close(static_cast<int>(fd)) == 0;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

bool MoveIntoPlace(const std::string& from, const std::string& to, bool) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

#endif

}  // namespace

bool IsFolder(const std::string& path) {
#if defined(_WIN32)
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

FileWriter::FileWriter(std::string path) : FileWriter(std::move(path), Options{}) {}

FileWriter::FileWriter(std::string path, Options options)
    : m_path(std::move(path)), m_options(options) {}

FileWriter::~FileWriter() {
    CloseAndRemove();
}

void FileWriter::Fail(WriteFailure failure, int error) {
    if (m_status.Ok()) m_status = WriteStatus{failure, error ? error : EIO};
}

void FileWriter::CloseAndRemove() {
    if (!m_open) return;
    m_open = false;
    CloseFile(m_handle);
    RemoveFile(m_temp);
}

bool FileWriter::Open() {
    if (m_open || !m_status.Ok()) return false;
    if (IsFolder(m_path)) {
        Fail(WriteFailure::kFolder, EISDIR);
        return false;
    }
    if (IsReadOnlyFile(m_path)) {
        Fail(WriteFailure::kReadOnlyFile, EACCES);
        return false;
    }
    m_handle = CreateTemp(m_path, m_temp);
    if (m_handle == -1) {
        Fail(WriteFailure::kCannotCreate, errno);
        return false;
    }
    m_open = true;
    m_buffer.reserve(kBufferSize);
    return true;
}

bool FileWriter::Flush() {
    if (m_open && m_status.Ok() && !m_buffer.empty() &&
        !WriteAll(m_handle, m_buffer.data(), m_buffer.size())) {
        Fail(WriteFailure::kWriteFailed, errno);
    }
    m_buffer.clear();
    return m_status.Ok();
}

bool FileWriter::Write(std::string_view bytes) {
    if (!m_open || !m_status.Ok()) return false;
    if (m_buffer.size() + bytes.size() < kBufferSize) {
        m_buffer.append(bytes);
        return true;
    }
    if (!Flush()) return false;
    if (bytes.size() < kBufferSize) {
        m_buffer.append(bytes);
        return true;
    }
    // Large pieces go out as they are, without a copy.
    if (!WriteAll(m_handle, bytes.data(), bytes.size())) Fail(WriteFailure::kWriteFailed, errno);
    return m_status.Ok();
}

bool FileWriter::Commit() {
    if (!m_open) {
        Fail(WriteFailure::kCannotCreate, 0);
        return false;
    }
    Flush();
    if (m_status.Ok() && m_options.sync && !SyncFile(m_handle)) {
        Fail(WriteFailure::kWriteFailed, errno);
    }
    m_open = false;
    if (!CloseFile(m_handle)) Fail(WriteFailure::kWriteFailed, errno);
    if (m_status.Ok() && !MoveIntoPlace(m_temp, m_path, m_options.sync)) {
        Fail(WriteFailure::kWriteFailed, errno);
    }
    if (!m_status.Ok()) RemoveFile(m_temp);
    return m_status.Ok();
}

void FileWriter::Abandon() {
    m_buffer.clear();
    CloseAndRemove();
}

WriteStatus WriteWholeFile(const std::string& path, std::string_view bytes,
                           FileWriter::Options options) {
    FileWriter file(path, options);
    if (file.Open() && file.Write(bytes)) file.Commit();
    return file.Status();
}

namespace {

// Where the name starts: after the last separator.
std::size_t NameStart(const std::string& path) {
#if defined(_WIN32)
    const std::size_t slash = path.find_last_of("\\/");
#else
    const std::size_t slash = path.rfind('/');
#endif
    return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t start = NameStart(path);
    // The root keeps its separator: "/" is a folder, "" is none.
    return path.substr(0, start > 1 ? start - 1 : start);
}

std::string ExtensionOf(const std::string& path) {
    const std::size_t start = NameStart(path);
    const std::size_t dot = path.rfind('.');
    // ".png" is a name without a name, not a PNG.
    if (dot == std::string::npos || dot <= start) return {};
    return path.substr(dot + 1);
}

WriteStatus SaveImageFile(const ExportImage& image, const std::string& path) {
    if (IsFolder(path)) return {WriteFailure::kFolder, EISDIR};
    const std::optional<ImageFormat> format = ImageFormatByName(ExtensionOf(path));
    if (!format) return {WriteFailure::kNoExtension, EINVAL};
    std::vector<std::uint8_t> bytes;
    if (!EncodeImage(image, *format, kDefaultDpi, bytes)) {
        return {WriteFailure::kWriteFailed, ENOMEM};
    }
    return WriteWholeFile(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string WriteFailureMessage(const WriteStatus& status, const std::string& path) {
    const char* format = nullptr;
    switch (status.failure) {
        case WriteFailure::kNone:
            return {};
        case WriteFailure::kFolder:
            format = str::kSaveIsFolder;
            break;
        case WriteFailure::kNoExtension:
            format = str::kSaveNeedsExtension;
            break;
        case WriteFailure::kReadOnlyFile:
            format = str::kSaveReadOnlyFile;
            break;
        case WriteFailure::kCannotCreate:
            format = str::kSaveCannotCreate;
            break;
        case WriteFailure::kWriteFailed:
            format = str::kSaveWriteFailed;
            break;
    }
    return FormatText(format, path.c_str());
}

}  // namespace diduzozoz
