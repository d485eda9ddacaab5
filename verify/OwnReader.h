// Our own reader of the module-based code types that the program draws as standard symbols:
// Codabar (NW-7), Code 39, EAN-13 and EAN-8 (JAN), interleaved 2 of 5 (ITF, ITF-14 in its
// frame) and Code 128. The images are two-colour and pixel exact, so reading them is simple
// and deterministic: one row through the bars (ScanBars), its runs of black and white, the
// symbology's patterns from its published standard. It reports in the independent reader's
// words (format names, bytes), so the two can be held to each other; it shares no table with
// the encoders, whose mistakes it must not share.
#pragma once

#include "verify/Verify.h"

namespace diduzozoz::verify {

const Reader& OwnReader();

}  // namespace diduzozoz::verify
