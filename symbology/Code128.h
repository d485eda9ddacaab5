// CODE128: symbol values, the character tables of sets A and B, the 106 patterns, set-C
// packing, the modulus 103 check character and the renderer.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

// Value of a byte in set 'A' or 'B' (its position in the set's character table), or -1.
int Code128CharIndex(char set, char c);
// The byte at a value of set 'A' or 'B'; 0xFF beyond the table.
char Code128CharAt(char set, int value);
void Code128PackSetC(char* symbols, std::size_t size);
void BuildCode128Table(PatternTable& table);
void Code128CheckDigit(BarcodeJob& job);
void CheckMod103(BarcodeJob& job);
void RenderCode128(BarcodeJob& job);

}  // namespace diduzozoz
