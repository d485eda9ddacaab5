// CODE128: symbol values, the character tables of sets A and B, the 106 patterns, set-C
// packing, the modulus 103 check character and the renderer.
//
// In the fixed form (the first) the start set chosen by the user encodes the whole symbol; no
// shift or code-change symbols are ever inserted. Special symbols that a check character can
// stand for are held in the code text as one-byte internal codes (below), so the text stays a
// NUL-terminated string. The automatic and GS1-128 forms choose their own sets
// (symbology/Code128Forms.h); this unit dispatches to them.
#pragma once

#include <string>

#include "symbology/Context.h"

namespace diduzozoz {

// Internal codes of the special symbols. 0x80 stands for NUL (set A value 64), whose own
// byte would end the text; in packed set-C text it stands for the digit pair 00. The status
// line and the caption show them as Code128InternalCodeName() names them.
inline constexpr unsigned char kCode128Nul = 0x80;
inline constexpr unsigned char kCode128Fnc1 = 0x81;
inline constexpr unsigned char kCode128Fnc2 = 0x82;
inline constexpr unsigned char kCode128Fnc3 = 0x83;
inline constexpr unsigned char kCode128Fnc4 = 0x84;
inline constexpr unsigned char kCode128Shift = 0x85;
inline constexpr unsigned char kCode128CodeA = 0x90;
inline constexpr unsigned char kCode128CodeB = 0x91;
inline constexpr unsigned char kCode128CodeC = 0x92;
inline constexpr unsigned char kCode128StartA = 0x93;
inline constexpr unsigned char kCode128StartB = 0x94;
inline constexpr unsigned char kCode128StartC = 0x95;

inline constexpr int kCode128SymbolCount = 106;  // values 0..105; the stop has no value

// The stop of ISO/IEC 15417: element widths 2 3 3 1 1 1 2, ending in the two-module
// termination bar. It has no value, so it lives outside the table and is drawn module by
// module.
inline constexpr char kCode128Stop[] = "1100011101011";
static_assert(sizeof kCode128Stop - 1 == 13);

// How an internal code is shown, in UTF-8: 0x80 as U+2400 "␀", the special symbols as their
// names in guillemets («FNC1» «FNC2» «FNC3» «FNC4» «SHIFT» «CODE A» «CODE B» «CODE C»
// «START A» «START B» «START C»), which never occur in accepted input, so a name cannot be
// taken for typed text; nullptr for any other byte.
const char* Code128InternalCodeName(unsigned char byte);

// Value of a byte in set 'A' or 'B' (its position in the set's character table), or -1; the
// byte 0 and every other set give -1.
int Code128CharIndex(char set, char c);
// The byte at a value of set 'A' or 'B'; 0xFF beyond the table or for another set.
char Code128CharAt(char set, int value);
// Value of a byte of packed set-C text (see Code128PackSetC), or -1.
int Code128SetCValue(char c);
// Packs a set-C working text (START C followed by digits) in place: every digit pair after
// the start byte becomes one byte holding its value 10 * d1 + d2, where d1 may be ':' (10,
// the check values 100 to 102), and the pair 00 becomes 0x80. A pair that has no value
// (odd length, a byte that is no digit, a value above 102) becomes 0xFF, which draws nothing
// and stops the renderer.
void Code128PackSetC(std::string& symbols);
void BuildCode128Table(PatternTable& table);
void Code128CheckDigit(CreateContext& job);
void CheckMod103(CreateContext& job);
// The Create command's checks of the code text (and for the postal barcode the reference
// number) before the check digit and the drawing.
CheckOutcome CheckCode128Content(CreateContext& job);
void RenderCode128(CreateContext& job);

}  // namespace diduzozoz
