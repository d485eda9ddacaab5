// The Japanese postal customer barcode: four bar kinds, 21 symbols, modulus 19 check value
// and the renderer with its fixed geometry.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "symbology/Context.h"

namespace diduzozoz {

enum class PostalBarKind { LongBar, AscenderBar, DescenderBar, TimingBar };

// Symbols of the customer barcode. 0 to 18 are also the values the check sums (digits,
// hyphen, CC1 to CC8); start and stop have no value.
enum PostalSymbol : int {
    kPostalDigit0 = 0,
    kPostalHyphen = 10,
    kPostalCC1 = 11,  // CC1, CC2 and CC3 and a digit write a letter
    kPostalCC2 = 12,
    kPostalCC3 = 13,
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

// The data area: the postcode's 7 digits, then 13 reference positions.
inline constexpr int kPostalCodeDigits = 7;
inline constexpr int kPostalRefPositions = 13;

// Whether a postal form takes its text from m_szAddress (an address number, or an address)
// rather than the digits of m_szRefNo.
inline bool IsPostalAddressForm(int form) {
    return form == kPostalFormAddressNumber || form == kPostalFormAddress;
}
// How many bytes the reference field holds in a postal form: an address is longer than digits.
inline std::size_t PostalRefLimit(int form) {
    return static_cast<std::size_t>(IsPostalAddressForm(form) ? kMaxAddressBytes : kMaxRefNoBytes);
}
// The reference field's text into the member the job's postal form reads. False when it did
// not fit: the member then holds what did.
bool CopyPostalRef(BarcodeSettings& settings, std::string_view text);
// The postcode as drawn: the code text; in the address forms "263-0023" is taken as 2630023.
std::string PostalCodeOf(const BarcodeSettings& settings);
// What follows the postcode: the reference number, the address number as typed (in upper
// case), or the one taken from the address.
std::string PostalReferenceOf(const BarcodeSettings& settings);
// A postcode Japan Post sets where no town is listed, ending in 00: it asks for no customer
// barcode there.
bool IsRepresentativePostcode(std::string_view digits);
// The symbols of an address number in the 13 reference positions: a digit or "-" is one, a
// letter two (CC1 and 0 to 9 for A to J, CC2 for K to T, CC3 for U to Z); what does not fit is
// cut, and a letter whose control code takes the last position keeps it and loses its digit.
// CC4 fills the positions left.
std::array<int, kPostalRefPositions> AddressNumberSymbols(std::string_view number);

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
