// What screen readers and voice control see of the dialog's controls, and what they can do:
// every action they take runs the code a click or a keystroke runs, once.
#pragma once

#include <utility>
#include <vector>

class QLabel;
class QWidget;

namespace diduzozoz {

// Puts the program's own accessible interfaces in place of Qt's for check boxes, radio
// buttons, the arrows of CSpinButton, line edits and CComboBox. Call before the first control is
// made; later calls do nothing.
void InstallAccessibleInterfaces();

// Names the main dialog's controls for screen readers (nothing of it is drawn): each labelled
// control by its label, the spin arrows by the value they step, and the controls of a code
// type after the type, as six boxes are called "CD".
void NameControls(QWidget& window, const std::vector<std::pair<QLabel*, int>>& labels);

}  // namespace diduzozoz
