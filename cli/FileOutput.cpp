#include "cli/FileOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <io.h>
#endif

namespace diduzozoz::cli {
namespace {

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

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
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // no CR added before the image's LF bytes
#endif
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

bool WriteImageFile(const ExportImage& image, OutputFormat format, const std::string& path,
                    std::string& error, int dpi) {
    std::vector<std::uint8_t> bytes;
    if (!EncodeOutput(image, format, dpi, bytes, error)) return false;
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back(0);
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = "cannot write " + Printable(path) + ": " + std::strerror(errno);
        return false;
    }
    const mode_t mask = ::umask(0);  // mkstemp makes 0600; the file should look like any other
    ::umask(mask);
    const bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fchmod(fd, 0666 & ~mask) == 0;
    const int savedErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!ok || !closed || ::rename(name.data(), path.c_str()) != 0) {
        const int err = ok && closed ? errno : savedErrno;
        ::unlink(name.data());
        error = "cannot write " + Printable(path) + ": " + std::strerror(err);
        return false;
    }
    return true;
}

}  // namespace diduzozoz::cli
