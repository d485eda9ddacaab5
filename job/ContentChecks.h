// The Create command's checks of the code text (and the postal reference number), per type.
#pragma once

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

}  // namespace diduzozoz
