// The address number (住所表示番号) of the customer barcode, taken from the part of an address
// after the town name by Japan Post's rules: the 丁目, 番地, 号, building and room, typed in
// any mix of kanji, kana and digits, full-width or half-width, become digits, hyphens and
// letters.
#pragma once

#include <string>
#include <string_view>

namespace diduzozoz {

// The address number of address (UTF-8), or "" when it holds no digit at all.
std::string ExtractAddressNumber(std::string_view address);

// Whether text is a typed address number: digits, "-" and letters only (an empty text is).
bool IsAddressNumberText(std::string_view text);

}  // namespace diduzozoz
