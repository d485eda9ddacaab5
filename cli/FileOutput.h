// Writing an exported image to a file without ever leaving a partial file behind.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliOptions.h"
#include "render/ExportImage.h"

namespace diduzozoz::cli {

// The image as the bytes of a file of that format with dpi written into it; false (and error
// says why) when it cannot be encoded. PNG through png when given, so a batch reuses it.
bool EncodeOutput(const ExportImage& image, OutputFormat format, int dpi,
                  std::vector<std::uint8_t>& bytes, std::string& error, PngEncoder* png = nullptr);

// Writes bytes to fd and closes it. fd is open on temp, which is moved into place at path once
// complete, or on path itself when temp is empty; -1 when opening failed (errno says why). On
// any failure the file fd was open on is removed, so no partial image is left behind, and
// error says why.
bool FinishFile(int fd, const std::string& temp, const std::string& path,
                std::span<const std::uint8_t> bytes, std::string& error);

// Writes to a temporary file beside path and renames it into place; on failure nothing is
// left at path (an older file there stays untouched) and error says why.
bool WriteImageFile(const ExportImage& image, OutputFormat format, const std::string& path,
                    std::string& error, int dpi = kDefaultDpi);

// A file written piece by piece, for output too large to hold whole: into a temporary file
// beside path, renamed into place by Commit(). Until then, and after any failure, nothing is
// at path but what was there before; a file never committed is removed.
class StreamedFile {
  public:
    explicit StreamedFile(std::string path);
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    // Creates the temporary file; false (and error says why) when it cannot be.
    bool Open(std::string& error);
    // False once anything failed; the rest is then dropped.
    bool Write(std::string_view bytes);
    // Writes what is left, closes and renames into place; false (and error says why, the
    // first failure's reason) when any of it failed, nothing then being left behind.
    bool Commit(std::string& error);

  private:
    bool Flush();
    void Fail();

    std::string m_path;
    std::string m_temp;
    int m_fd = -1;
    int m_errno = 0;  // the first failure's
    std::string m_buffer;
};

// Writes the image to stdout, all of it, and flushes; false (and error says why) when stdout
// does not take it all.
bool WriteImageStdout(const ExportImage& image, OutputFormat format, int dpi, std::string& error);

}  // namespace diduzozoz::cli
