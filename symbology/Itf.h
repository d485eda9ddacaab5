// ITF: the digits with start "S" and stop "E", patterns, check digit and renderer.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

inline constexpr char kItfCharSet[] = "0123456789SE";

int ItfCharIndex(char c);
void BuildItfTable(PatternTable& table);
void ItfCheckDigit(BarcodeJob& job);
void RenderItf(BarcodeJob& job);

}  // namespace diduzozoz
