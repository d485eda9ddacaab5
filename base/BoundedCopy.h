// The one way text is written into the fixed byte arrays of the job: never past the end,
// always NUL-terminated, never cutting a UTF-8 sequence in half.
#pragma once

#include <cstddef>
#include <string_view>

namespace diduzozoz {

// Zero-fills dst[0..size) and copies as much of src as fits before the terminator, stopping
// early rather than splitting a multi-byte UTF-8 character. Returns true when all of src fit.
bool CopyText(char* dst, std::size_t size, std::string_view src);

// Appends src behind the current text of dst when all of it fits; otherwise leaves dst alone
// and returns false.
bool AppendText(char* dst, std::size_t size, std::string_view src);

// Length of the text in dst, never reading past size bytes.
std::size_t TextLength(const char* dst, std::size_t size);

template <std::size_t N>
bool CopyText(char (&dst)[N], std::string_view src) {
    return CopyText(dst, N, src);
}
template <std::size_t N>
bool AppendText(char (&dst)[N], std::string_view src) {
    return AppendText(dst, N, src);
}
template <std::size_t N>
std::size_t TextLength(const char (&dst)[N]) {
    return TextLength(dst, N);
}
template <std::size_t N>
std::string_view TextView(const char (&dst)[N]) {
    return std::string_view(dst, TextLength(dst, N));
}

// Number of bytes of s that can be kept within limit bytes without cutting a UTF-8 character.
std::size_t Utf8SafePrefix(std::string_view s, std::size_t limit);

}  // namespace diduzozoz
