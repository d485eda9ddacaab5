// Postal customer barcode encoding and renderer.
#include "symbology/Postal.h"

namespace diduzozoz {

void PostalCheckDigit(BarcodeJob&) {}
void CheckMod19(BarcodeJob&) {}
int DrawPostalBar(BarcodeJob&, int, int, int, int x, int) {
    return x + 4;
}
void RenderPostal(BarcodeJob&) {}

}  // namespace diduzozoz
