// One row per code type: what the Create command, the dialog and the command-line renderer
// need to know about it.
#pragma once

#include "symbology/Context.h"

namespace diduzozoz {

// One form of a code type: its name on the command line and its item in the dialog's list.
struct FormEntry {
    const char* cliName;
    const char* item;
};

struct SymbologyEntry {
    const char* cliName;               // name on the command line
    int BarcodeSettings::*optionWord;  // nullptr for kSymbologyNone
    CheckOutcome (*contentChecks)(CreateContext&);
    void (*checkDigit)(CreateContext&);
    void (*render)(CreateContext&);
    // Pixels of one module as the type draws it; nullptr: the line unit.
    int (*modulePixels)(const BarcodeSettings&) = nullptr;
    // The type's forms, in the order of their values; none for a type with one form only.
    int BarcodeSettings::*form = nullptr;
    const FormEntry* forms = nullptr;
    int formCount = 0;
};

// The row of a Symbology value; nullptr outside 0..6.
const SymbologyEntry* SymbologyAt(int symbology);
// The Symbology value for a command-line name, or -1.
int SymbologyByCliName(const char* name);
// The form of a type by its command-line name, or -1 (also for a type without forms).
int FormByCliName(int symbology, const char* name);

}  // namespace diduzozoz
