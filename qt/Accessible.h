// What screen readers and voice control see of the dialog's controls, and what they can do:
// every action they take runs the code a click or a keystroke runs, once.
#pragma once

namespace diduzozoz {

// Puts the program's own accessible interfaces in place of Qt's for check boxes, radio
// buttons, the arrows of CSpinButton, line edits and CComboBox. Call before the first control is
// made; later calls do nothing.
void InstallAccessibleInterfaces();

}  // namespace diduzozoz
