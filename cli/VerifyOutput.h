// diduzozoz-cli --verify: the verdict's machine-readable columns.
#pragma once

#include <string>

#include "verify/Verify.h"

namespace diduzozoz::cli {

// OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS, as --help documents them; nullptr when the run
// exported nothing.
std::string VerdictColumns(const verify::Verdict* verdict);

}  // namespace diduzozoz::cli
