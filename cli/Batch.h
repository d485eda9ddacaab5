// Batch mode of diduzozoz-cli: one Create command per item of a code list, one file each.
#pragma once

#include "cli/CliOptions.h"

namespace diduzozoz::cli {

// Runs the batch the options describe; returns the process exit code (0 every item
// exported, 1 any not, 2 usage error such as an unreadable list or output folder).
int RunBatch(const CliOptions& options);

}  // namespace diduzozoz::cli
