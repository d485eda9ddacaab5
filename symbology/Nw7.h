// NW-7 (Codabar): character set, lookups, patterns, renderer and the seven check schemes.
#pragma once

#include "symbology/CheckDigits.h"
#include "symbology/Context.h"

namespace diduzozoz {

inline constexpr char kNw7CharSet[] = "0123456789-$:/.+ABCD";

int Nw7CharIndex(char c);
// The character at index 0..19; 0xFF for any other index.
char Nw7CharAt(int index);
void BuildNw7Table(PatternTable& table);
// The Create command's checks of the code text (and for the postal barcode the reference
// number) before the check digit and the drawing.
CheckOutcome CheckNw7Content(CreateContext& job);
void RenderNw7(CreateContext& job);

// Check-digit step: the scheme of the option word's pattern when the check digit is on.
void Nw7CheckDigit(CreateContext& job);
void CheckMod10W2(CreateContext& job);
void CheckMod11(CreateContext& job);
void CheckMod16(CreateContext& job);
void Check7DR(CreateContext& job);
void CheckWeightedMod11(CreateContext& job);
void CheckLuhn(CreateContext& job);

}  // namespace diduzozoz
