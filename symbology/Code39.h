// CODE39: character set, lookups, patterns, modulus 43 check character and renderer.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

inline constexpr char kCode39CharSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

int Code39CharIndex(char c);
// The character at index 0..43; 0xFF for any other index.
char Code39CharAt(int index);
void BuildCode39Table(PatternTable& table);
void Code39CheckDigit(BarcodeJob& job);
void CheckMod43(BarcodeJob& job);
void RenderCode39(BarcodeJob& job);

}  // namespace diduzozoz
