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

}  // namespace diduzozoz::cli
