// ITF: the digits on their own between start "S" and stop "E", interleaved 2 of 5, and
// ITF-14 with its bearer bars; patterns, check digit and renderer.
#pragma once

#include "symbology/Context.h"

namespace diduzozoz {

inline constexpr char kItfCharSet[] = "0123456789SE";

int ItfCharIndex(char c);
void BuildItfTable(PatternTable& table);
void ItfCheckDigit(CreateContext& job);
// The Create command's checks of the code text (and for the postal barcode the reference
// number) before the check digit and the drawing.
CheckOutcome CheckItfContent(CreateContext& job);
void RenderItf(CreateContext& job);

}  // namespace diduzozoz
