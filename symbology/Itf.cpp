// ITF encoding and renderer.
#include "symbology/Itf.h"

namespace diduzozoz {

int ItfCharIndex(char) {
    return -1;
}
void BuildItfTable(PatternTable& table) {
    table.Clear();
}
void ItfCheckDigit(BarcodeJob&) {}
void RenderItf(BarcodeJob&) {}

}  // namespace diduzozoz
