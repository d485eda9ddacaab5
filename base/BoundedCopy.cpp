#include "base/BoundedCopy.h"

#include <cstring>

namespace diduzozoz {

std::size_t Utf8SafePrefix(std::string_view s, std::size_t limit) {
    if (s.size() <= limit) return s.size();
    std::size_t n = limit;
    // Step back over continuation bytes to the lead byte of the character that would be cut.
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return n;
}

bool CopyText(char* dst, std::size_t size, std::string_view src) {
    if (size == 0) return src.empty();
    std::memset(dst, 0, size);
    std::size_t n = Utf8SafePrefix(src, size - 1);
    if (n > 0) std::memcpy(dst, src.data(), n);
    return n == src.size();
}

std::size_t TextLength(const char* dst, std::size_t size) {
    const void* end = std::memchr(dst, 0, size);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - dst) : size;
}

bool AppendText(char* dst, std::size_t size, std::string_view src) {
    std::size_t len = TextLength(dst, size);
    if (len >= size || src.size() > size - 1 - len) return false;
    std::memcpy(dst + len, src.data(), src.size());
    dst[len + src.size()] = 0;
    return true;
}

}  // namespace diduzozoz
