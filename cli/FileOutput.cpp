#include "cli/FileOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/Quote.h"

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

std::string WriteErrorText(const std::string& path, const WriteStatus& status) {
    return "cannot write " + Quoted(path) + ": " + std::strerror(status.error);
}

bool WriteOutputFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error) {
    const WriteStatus status = WriteWholeFile(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        kCliWrite);
    if (!status.Ok()) error = WriteErrorText(path, status);
    return status.Ok();
}

bool WriteImageFile(const ExportImage& image, OutputFormat format, const std::string& path,
                    std::string& error, int dpi) {
    std::vector<std::uint8_t> bytes;
    return EncodeOutput(image, format, dpi, bytes, error) && WriteOutputFile(path, bytes, error);
}

}  // namespace diduzozoz::cli
