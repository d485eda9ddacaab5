// Label sheets from the command line: the codes of a serial run or a list on the labels of a
// layout, into one PDF written through a temporary file.
#pragma once

#include "cli/CliOptions.h"
#include "verify/Verify.h"

namespace diduzozoz::cli {

// Runs the sheets the options describe; returns the process exit code (0 every label read
// back as meant, 1 an item not drawn or nothing written, 2 usage error, 3 a label that did
// not read back as meant).
int RunSheets(const CliOptions& options, const verify::Readers& readers);

}  // namespace diduzozoz::cli
