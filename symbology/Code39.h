// CODE39: character set, lookups, patterns, modulus 43 check character and renderer.
#pragma once

#include "symbology/Context.h"

namespace diduzozoz {

inline constexpr char kCode39CharSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

int Code39CharIndex(char c);
// The character at index 0..43; 0xFF for any other index.
char Code39CharAt(int index);
void BuildCode39Table(PatternTable& table);
void Code39CheckDigit(CreateContext& job);
void CheckMod43(CreateContext& job);
// The Create command's checks of the code text (and for the postal barcode the reference
// number) before the check digit and the drawing.
CheckOutcome CheckCode39Content(CreateContext& job);
void RenderCode39(CreateContext& job);

}  // namespace diduzozoz
