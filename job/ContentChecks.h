// The Create command's checks of the code text (and the postal reference number), per type.
#pragma once

#include <string_view>

#include "symbology/Dispatch.h"

namespace diduzozoz {

CheckOutcome CheckNw7Content(BarcodeJob& job);
CheckOutcome CheckCode39Content(BarcodeJob& job);
CheckOutcome CheckJanContent(BarcodeJob& job);
CheckOutcome CheckItfContent(BarcodeJob& job);
CheckOutcome CheckCode128Content(BarcodeJob& job);
CheckOutcome CheckPostalContent(BarcodeJob& job);

// "0".."9"; every other byte, 0x80 and above included, is not a digit.
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// Every character a digit; an empty text passes.
inline bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

}  // namespace diduzozoz
