// JAN (EAN-13): digit lookup, the odd, even and right tables, check digit and renderer.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

int JanCharIndex(char c);
void BuildJanOddTable(PatternTable& table);
void BuildJanEvenTable(PatternTable& table);
void BuildJanRightTable(PatternTable& table);
void JanCheckDigit(BarcodeJob& job);
void RenderJan(BarcodeJob& job);

}  // namespace diduzozoz
