// Character tests of the code texts. Bytes compare as signed, so every byte of 0x80 and above
// (every byte of a non-ASCII character) lies below every range and is no digit.
#pragma once

#include <string_view>

namespace diduzozoz {

// "0".."9"; every other byte, 0x80 and above included, is not a digit.
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Every character a digit; an empty text passes.
inline bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

// Every character accepted; an empty text passes.
template <typename Pred>
bool AllChars(std::string_view text, Pred accept) {
    for (char c : text) {
        if (!accept(c)) return false;
    }
    return true;
}

// lo <= c <= hi with c as a signed byte.
inline bool InRange(char c, int lo, int hi) {
    const int v = static_cast<signed char>(c);
    return v >= lo && v <= hi;
}

}  // namespace diduzozoz
