// JAN (EAN-13, and EAN-8 as its short form): digit lookup, the odd, even and right tables,
// check digit and renderer.
#pragma once

#include "symbology/Context.h"

namespace diduzozoz {

int JanCharIndex(char c);
void BuildJanOddTable(PatternTable& table);
void BuildJanEvenTable(PatternTable& table);
void BuildJanRightTable(PatternTable& table);
void JanCheckDigit(CreateContext& job);
// The Create command's checks of the code text (and for the postal barcode the reference
// number) before the check digit and the drawing.
CheckOutcome CheckJanContent(CreateContext& job);
void RenderJan(CreateContext& job);

}  // namespace diduzozoz
