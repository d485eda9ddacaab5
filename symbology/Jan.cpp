// JAN encoding and renderer.
#include "symbology/Jan.h"

namespace diduzozoz {

int JanCharIndex(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}
void BuildJanOddTable(PatternTable& table) {
    table.Clear();
}
void BuildJanEvenTable(PatternTable& table) {
    table.Clear();
}
void BuildJanRightTable(PatternTable& table) {
    table.Clear();
}
void JanCheckDigit(BarcodeJob&) {}
void RenderJan(BarcodeJob&) {}

}  // namespace diduzozoz
