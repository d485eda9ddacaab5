#include "cli/FileOutput.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "cli/Platform.h"

namespace diduzozoz::cli {

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
    std::string temp;
    const int fd = CreateTempFileBeside(path, temp);
    if (fd < 0) {
        error = "cannot write " + Printable(path) + ": " + std::strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    int err = errno;
    if (CloseFile(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && !MoveIntoPlace(temp, path)) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        RemoveFile(temp);
        error = "cannot write " + Printable(path) + ": " + std::strerror(err);
        return false;
    }
    return true;
}

}  // namespace diduzozoz::cli
