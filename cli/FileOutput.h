// Writing an exported image to a file without ever leaving a partial file behind.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "render/ExportImage.h"

namespace diduzozoz::cli {

// Writes to a temporary file beside path and renames it into place; on failure nothing is
// left at path (an older file there stays untouched) and error says why.
bool WriteImageFile(const ExportImage& image, OutputFormat format, const std::string& path,
                    std::string& error);

}  // namespace diduzozoz::cli
