// How data bytes are shown in the status line and the caption.
//
// Data texts are bytes, and a check character can add bytes that have no printable form:
// control characters, and the one-byte internal codes a code type keeps for its special
// symbols. They are shown so that nobody can mistake them for typed text and the result is
// always valid UTF-8:
//   0x01-0x1F   the Unicode control pictures U+2401-U+241F ("␁" ... "␟")
//   0x7F        U+2421 "␡"
//   0x80-0xFF   what the code type names the byte (CODE128: Code128InternalCodeName), or
//               U+FFFD "�" where it names none (no accepted input can hold them)
#pragma once

#include <string>
#include <string_view>

namespace diduzozoz {

// The substitute, in UTF-8, a code type shows for one of its internal codes (a byte of 0x80
// and above), or nullptr where the byte stands for nothing of the type's.
using InternalCodeNames = const char* (*)(unsigned char byte);

std::string DisplayText(std::string_view bytes, InternalCodeNames names = nullptr);

// Decodes one code point of valid UTF-8 at s[i] and advances i (U+FFFD for a broken sequence).
char32_t DecodeUtf8(std::string_view s, std::size_t& i);
// Appends the UTF-8 of a code point of the Basic Multilingual Plane.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace diduzozoz
