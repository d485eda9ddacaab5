// Digit tests of the code texts: bytes compared as they are, so every byte of 0x80 and above
// (every byte of a non-ASCII character) is no digit.
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

}  // namespace diduzozoz
