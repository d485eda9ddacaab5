#include "cli/FileOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

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

bool WriteImageFile(const ExportImage& image, OutputFormat format, const std::string& path,
                    std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (format == OutputFormat::kPng) {
        if (!EncodePng(image, bytes)) {
            error = "cannot encode the image as PNG";
            return false;
        }
    } else {
        const std::string svg = EncodeSvg(image);
        bytes.assign(svg.begin(), svg.end());
    }
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
