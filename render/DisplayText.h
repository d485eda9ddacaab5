// How data bytes are shown in the status line and the caption.
//
// Data texts are bytes, and a CODE128 check character can add bytes that have no printable
// form: control characters (sets A) and the one-byte internal codes of the special symbols.
// They are shown so that nobody can mistake them for typed text and the result is always
// valid UTF-8:
//   0x01-0x1F   the Unicode control pictures U+2401-U+241F ("␁" ... "␟")
//   0x7F        U+2421 "␡"
//   0x80        U+2400 "␀" (set A value 64, the NUL character)
//   0x81-0x85   «FNC1» «FNC2» «FNC3» «FNC4» «SHIFT»
//   0x90-0x95   «CODE A» «CODE B» «CODE C» «START A» «START B» «START C»
//   other bytes of 0x80 and above: U+FFFD "�" (no accepted input can hold them)
// The guillemets never occur in accepted input, so a name cannot be confused with typed text.
#pragma once

#include <string>
#include <string_view>

namespace diduzozoz {

std::string DisplayText(std::string_view bytes);

// Decodes one code point of valid UTF-8 at s[i] and advances i (U+FFFD for a broken sequence).
char32_t DecodeUtf8(std::string_view s, std::size_t& i);

}  // namespace diduzozoz
