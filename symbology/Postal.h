// The Japanese postal customer barcode: four bar kinds, 21 symbols, modulus 19 check value
// and the renderer with its fixed geometry.
#pragma once

#include "symbology/Context.h"

namespace diduzozoz {

enum class PostalBarKind { LongBar, AscenderBar, DescenderBar, TimingBar };

// Symbols of the customer barcode. 0 to 18 are also the values the check sums (digits,
// hyphen, CC1 to CC8); start and stop have no value.
enum PostalSymbol : int {
    kPostalDigit0 = 0,
    kPostalHyphen = 10,
    kPostalCC1 = 11,
    kPostalCC4 = 14,  // fills the reference positions after the reference number
    kPostalCC8 = 18,
    kPostalStart = 19,
    kPostalStop = 20,
};
inline constexpr int kPostalSymbolCount = 21;
inline constexpr int kPostalCheckValues = 19;  // 0..18; any other value draws no check symbol

// The fixed geometry: the first bar at x = 20, one bar every 4 pixels, the bar area from
// y = 20 whatever the margins.
inline constexpr int kPostalX0 = 20;
inline constexpr int kPostalY0 = 20;
inline constexpr int kPostalPitch = 4;

// Postal bars keep their width whatever the line unit: half the pitch.
int PostalModulePixels(const BarcodeSettings& settings);
void PostalCheckDigit(CreateContext& job);
void CheckMod19(CreateContext& job);
// One bar with its top at (x, y): colours of the upper, middle and lower section (1 black,
// any other value white). Returns x + 4.
int DrawPostalBar(CreateContext& job, int upper, int middle, int lower, int x, int y);
// The bars of one symbol from x on; returns the x after its last bar. A value outside the
// symbols draws nothing and returns x.
int DrawPostalSymbol(CreateContext& job, int symbol, int x, int y);
// The Create command's checks of the code text (and for the postal barcode the reference
// number) before the check digit and the drawing.
CheckOutcome CheckPostalContent(CreateContext& job);
void RenderPostal(CreateContext& job);

}  // namespace diduzozoz
