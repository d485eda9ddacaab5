// diduzozoz-cli --verify: the verdict's machine-readable columns, and the hand-over to the
// twin program that has the reader built in.
#pragma once

#include <string>

#include "verify/Verify.h"

namespace diduzozoz::cli {

// OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS, as --help documents them; nullptr when the run
// exported nothing.
std::string VerdictColumns(const verify::Verdict* verdict);

// Replaces this process by the program `name` beside this executable, or else at
// `installed` (relative to this executable's directory), with the same arguments. Returns
// only when that cannot be done (no such program, or not on Linux).
void HandOverTo(const char* name, const char* installed, char** argv);

}  // namespace diduzozoz::cli
