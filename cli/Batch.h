// Batch mode of diduzozoz-cli: one Create command per item of a code list, one file each.
#pragma once

#include "cli/CliOptions.h"
#include "verify/Verify.h"

namespace diduzozoz::cli {

// Runs the batch the options describe; returns the process exit code (0 every item
// exported, 1 any not, 2 usage error such as an unreadable list or output folder, 3 every
// item exported but one failed --verify), read back by readers.
int RunBatch(const CliOptions& options, const verify::Readers& readers);

}  // namespace diduzozoz::cli
