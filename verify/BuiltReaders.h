// The readers this build has: ours always, ZXing-C++ beside it where the build links it
// (DIDUZOZOZ_HAVE_ZXING, set by the diduzozoz_verify_zxing target).
#pragma once

#include "verify/OwnReader.h"
#include "verify/Verify.h"
#ifdef DIDUZOZOZ_HAVE_ZXING
#include "verify/ZxingReader.h"
#endif

namespace diduzozoz::verify {

inline Readers BuiltReaders() {
#ifdef DIDUZOZOZ_HAVE_ZXING
    return {&ZxingReader(), &OwnReader()};
#else
    return {nullptr, &OwnReader()};
#endif
}

}  // namespace diduzozoz::verify
