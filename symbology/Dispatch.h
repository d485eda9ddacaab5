// One row per code type: what the Create command, the dialog and the command-line renderer
// need to know about it.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

enum class CheckOutcome {
    kPassed,
    kRefused,  // the check showed its message and ended the run
};

struct SymbologyEntry {
    const char* cliName;               // name on the command line
    int BarcodeSettings::*optionWord;  // nullptr for kSymbologyNone
    CheckOutcome (*contentChecks)(BarcodeJob&);
    void (*checkDigit)(BarcodeJob&);
    void (*render)(BarcodeJob&);
};

// The row of a Symbology value; nullptr outside 0..6.
const SymbologyEntry* SymbologyAt(int symbology);
// The Symbology value for a command-line name, or -1.
int SymbologyByCliName(const char* name);

}  // namespace diduzozoz
