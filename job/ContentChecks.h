// The Create command's checks of the code text (and the postal reference number), per type.
#pragma once

#include <string_view>

#include "base/Digits.h"
#include "symbology/Dispatch.h"

namespace diduzozoz {

CheckOutcome CheckNw7Content(BarcodeJob& job);
CheckOutcome CheckCode39Content(BarcodeJob& job);
CheckOutcome CheckJanContent(BarcodeJob& job);
CheckOutcome CheckItfContent(BarcodeJob& job);
CheckOutcome CheckCode128Content(BarcodeJob& job);
CheckOutcome CheckPostalContent(BarcodeJob& job);

}  // namespace diduzozoz
