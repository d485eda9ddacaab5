// diduzozoz-cli --verify: the verdict's machine-readable columns.
#pragma once

#include <string>

#include "verify/Verify.h"

namespace diduzozoz::cli {

// OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS<TAB>READER, as --help documents them, and
// <TAB>MODULE<TAB>HEIGHT after them where the size on paper was judged (onPaper); nullptr when
// the run exported nothing.
std::string VerdictColumns(const verify::Verdict* verdict, bool onPaper = false);

// One finding as REASONS writes it: "quiet-zone-left:6/10", "warning:bar-height:10.6/18.3mm".
std::string ReasonToken(const verify::Finding& finding);

}  // namespace diduzozoz::cli
