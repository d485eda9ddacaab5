// CODE128 encoding and renderer.
#include "symbology/Code128.h"

namespace diduzozoz {

int Code128CharIndex(char, char) {
    return -1;
}
char Code128CharAt(char, int) {
    return static_cast<char>(0xFF);
}
void Code128PackSetC(char*, std::size_t) {}
void BuildCode128Table(PatternTable& table) {
    table.Clear();
}
void Code128CheckDigit(BarcodeJob&) {}
void CheckMod103(BarcodeJob&) {}
void RenderCode128(BarcodeJob&) {}

}  // namespace diduzozoz
