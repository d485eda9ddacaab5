// The command line's images as files and on stdout; files are written whole or not at all
// (platform/FileWriter.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "platform/FileWriter.h"
#include "render/ExportImage.h"

namespace diduzozoz::cli {

// The command line never waits for the disk: a batch writes thousands of files.
inline constexpr FileWriter::Options kCliWrite{.sync = false};

// The image as the bytes of a file of that format with dpi written into it; false (and error
// says why) when it cannot be encoded. PNG through png when given, so a batch reuses it.
bool EncodeOutput(const ExportImage& image, OutputFormat format, int dpi,
                  std::vector<std::uint8_t>& bytes, std::string& error, PngEncoder* png = nullptr);

// "cannot write PATH: REASON", the command line's words for a failed write.
std::string WriteErrorText(const std::string& path, const WriteStatus& status);

// Writes bytes whole to path; false (and error says why) when it failed, nothing new then
// being left at path.
bool WriteOutputFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error);

// Encodes the image and writes it whole to path; false (and error says why) on failure.
bool WriteImageFile(const ExportImage& image, OutputFormat format, const std::string& path,
                    std::string& error, int dpi = kDefaultDpi);

// Writes the image to stdout, all of it, and flushes; false (and error says why) when stdout
// does not take it all.
bool WriteImageStdout(const ExportImage& image, OutputFormat format, int dpi, std::string& error);

}  // namespace diduzozoz::cli
