// The check digit that several code types share: modulus 10 with the digits weighted from the
// right (NW-7's patterns 1 and 2, JAN, ITF).
#pragma once

#include <cstddef>
#include <string_view>

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

// The modulus 10 / weight 3 check digit of digits, which are all "0".."9".
int Mod10W3(std::string_view digits);

// A code of one length that always carries its check digit (JAN-8, ITF-14), and the messages
// that refuse it.
struct FixedLength {
    std::size_t digits;        // without the check digit
    const char* length;        // the check-digit step appends it: `digits` digits wanted
    const char* lengthWithCd;  // typed with it: digits + 1 wanted
    const char* wrongCd;       // format naming the right check digit (%d)
};
// Its content check: digits only (the digits message, then restore); then the length; then,
// where the check-digit step will not append the check digit, the one typed last. Such a code
// is never drawn without its right check digit.
CheckOutcome CheckFixedLength(CreateContext& job, bool stepAppends, const FixedLength& rule);

}  // namespace diduzozoz
