// ZXing-C++ as the independent reader of the module-based types. Only in builds that have
// the library (DIDUZOZOZ_HAVE_ZXING is then defined for every user of this header's target).
#pragma once

#include "verify/Verify.h"

namespace diduzozoz::verify {

const Reader& ZxingReader();

}  // namespace diduzozoz::verify
