#include "cli/FileOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/Platform.h"
#include "cli/Printable.h"

namespace diduzozoz::cli {

bool EncodeOutput(const ExportImage& image, OutputFormat format, int dpi,
                  std::vector<std::uint8_t>& bytes, std::string& error, PngEncoder* png) {
    const ImageFormat as = ImageFormatOf(format);
    if (EncodeImage(image, as, dpi, bytes, png)) return true;
    error = std::string("cannot encode the image as ") + ImageFormatName(as);
    return false;
}

bool WriteImageStdout(const ExportImage& image, OutputFormat format, int dpi, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!EncodeOutput(image, format, dpi, bytes, error)) return false;
    // stdout is in binary mode on every platform (SetUpStandardStreams).
    std::fflush(stdout);
    errno = 0;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                    std::fflush(stdout) == 0;
    if (!ok) {
        error = std::string("cannot write the image to stdout: ") +
                (errno ? std::strerror(errno) : "short write");
        return false;
    }
    return true;
}

bool FinishFile(int fd, const std::string& temp, const std::string& path,
                std::span<const std::uint8_t> bytes, std::string& error) {
    bool ok = fd >= 0 && WriteAll(fd, bytes.data(), bytes.size());
    int err = errno;
    if (fd >= 0 && CloseFile(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && !temp.empty() && !MoveIntoPlace(temp, path)) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        if (fd >= 0) RemoveFile(temp.empty() ? path : temp);
        error = "cannot write " + Printable(path) + ": " + std::strerror(err);
    }
    return ok;
}

bool WriteImageFile(const ExportImage& image, OutputFormat format, const std::string& path,
                    std::string& error, int dpi) {
    std::vector<std::uint8_t> bytes;
    if (!EncodeOutput(image, format, dpi, bytes, error)) return false;
    std::string temp;
    const int fd = CreateTempFileBeside(path, temp);
    return FinishFile(fd, temp, path, bytes, error);
}

namespace {
constexpr std::size_t kStreamBuffer = 1 << 16;
}

StreamedFile::StreamedFile(std::string path) : m_path(std::move(path)) {}

StreamedFile::~StreamedFile() {
    if (m_fd >= 0) {
        CloseFile(m_fd);
        RemoveFile(m_temp);
    }
}

bool StreamedFile::Open(std::string& error) {
    m_fd = CreateTempFileBeside(m_path, m_temp);
    if (m_fd < 0) {
        error = "cannot write " + Printable(m_path) + ": " + std::strerror(errno);
        return false;
    }
    m_buffer.reserve(kStreamBuffer);
    return true;
}

void StreamedFile::Fail() {
    if (m_errno == 0) m_errno = errno ? errno : EIO;
}

bool StreamedFile::Flush() {
    if (m_errno == 0 && m_fd >= 0 && !WriteAll(m_fd, m_buffer.data(), m_buffer.size())) Fail();
    m_buffer.clear();
    return m_errno == 0;
}

bool StreamedFile::Write(std::string_view bytes) {
    if (m_fd < 0 || m_errno != 0) return false;
    m_buffer.append(bytes);
    return m_buffer.size() < kStreamBuffer || Flush();
}

bool StreamedFile::Commit(std::string& error) {
    if (m_fd < 0) {
        error = "cannot write " + Printable(m_path);
        return false;
    }
    Flush();
    const int fd = m_fd;
    m_fd = -1;
    if (CloseFile(fd) != 0) Fail();
    if (m_errno == 0 && !MoveIntoPlace(m_temp, m_path)) Fail();
    if (m_errno != 0) {
        RemoveFile(m_temp);
        error = "cannot write " + Printable(m_path) + ": " + std::strerror(m_errno);
        return false;
    }
    return true;
}

}  // namespace diduzozoz::cli
