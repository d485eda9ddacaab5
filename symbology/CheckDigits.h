// The check digit that several code types share: modulus 10 with the digits weighted from the
// right (NW-7's patterns 1 and 2, JAN, ITF).
#pragma once

#include "symbology/Context.h"

namespace diduzozoz {

// Appends the modulus 10 check digit of m_szCode, each digit weighed by weigh(digit, k) with
// k counted from the right (1 the rightmost). A code that is not all digits gets the
// check-digit message and nothing appended.
void AppendMod10(CreateContext& job, int (*weigh)(int digit, int k));
// Modulus 10 / weight 3 (odd positions times 3): NW-7's pattern 2, JAN and ITF.
void CheckMod10W3(CreateContext& job);
// Appends one digit 0..9 to m_szCode.
void AppendDigit(CreateContext& job, int digit);

}  // namespace diduzozoz
