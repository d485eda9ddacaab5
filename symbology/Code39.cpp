// CODE39 encoding and renderer.
#include "symbology/Code39.h"

#include <cstring>

namespace diduzozoz {

int Code39CharIndex(char c) {
    if (c == 0) return -1;
    const char* p = std::strchr(kCode39CharSet, c);
    return p ? static_cast<int>(p - kCode39CharSet) : -1;
}

char Code39CharAt(int index) {
    return index >= 0 && index < 44 ? kCode39CharSet[index] : static_cast<char>(0xFF);
}

void BuildCode39Table(PatternTable& table) {
    table.Clear();
}
void Code39CheckDigit(BarcodeJob&) {}
void CheckMod43(BarcodeJob&) {}
void RenderCode39(BarcodeJob&) {}

}  // namespace diduzozoz
