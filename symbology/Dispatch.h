// One row per code type: what the Create command, the dialog and the command-line renderer
// need to know about it.
#pragma once

#include "symbology/Context.h"

namespace diduzozoz {

struct SymbologyEntry {
    const char* cliName;               // name on the command line
    int BarcodeSettings::*optionWord;  // nullptr for kSymbologyNone
    CheckOutcome (*contentChecks)(CreateContext&);
    void (*checkDigit)(CreateContext&);
    void (*render)(CreateContext&);
    // Pixels of one module as the type draws it; nullptr: the line unit.
    int (*modulePixels)(const BarcodeSettings&) = nullptr;
};

// The row of a Symbology value; nullptr outside 0..6.
const SymbologyEntry* SymbologyAt(int symbology);
// The Symbology value for a command-line name, or -1.
int SymbologyByCliName(const char* name);

}  // namespace diduzozoz
