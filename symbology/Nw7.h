// NW-7 (Codabar): character set, lookups, patterns, renderer and the seven check schemes.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

inline constexpr char kNw7CharSet[] = "0123456789-$:/.+ABCD";

int Nw7CharIndex(char c);
// The character at index 0..19; 0xFF for any other index.
char Nw7CharAt(int index);
void BuildNw7Table(PatternTable& table);
void RenderNw7(BarcodeJob& job);

// Check-digit step: the scheme of the option word's pattern when the check digit is on.
void Nw7CheckDigit(BarcodeJob& job);
void CheckMod10W2(BarcodeJob& job);
// Modulus 10 / weight 3; also the check digit of JAN and ITF.
void CheckMod10W3(BarcodeJob& job);
void CheckMod11(BarcodeJob& job);
void CheckMod16(BarcodeJob& job);
void Check7DR(BarcodeJob& job);
void CheckWeightedMod11(BarcodeJob& job);
void CheckLuhn(BarcodeJob& job);

}  // namespace diduzozoz
