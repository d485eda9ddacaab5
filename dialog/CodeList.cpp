#include "dialog/CodeList.h"

#include <algorithm>
#include <cerrno>

#if defined(_WIN32)
#include <cstdio>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace diduzozoz {

namespace {

// Text-mode reading: a CR directly before an LF is part of the line end.
std::string NormaliseLineEnds(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out.push_back(bytes[i]);
    }
    return out;
}

}  // namespace

std::vector<std::string> ParseCodeList(std::string_view bytes, std::size_t limit) {
    // Editors on Windows start UTF-8 files with a byte-order mark; it is no part of a code.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const std::string text = NormaliseLineEnds(bytes);
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // One read: up to and including a line feed, at most kListChunkBytes bytes.
        std::size_t end = pos;
        bool lineFeed = false;
        while (end < text.size() && end - pos < kListChunkBytes) {
            if (text[end++] == '\n') {
                lineFeed = true;
                break;
            }
        }
        const bool metEnd = !lineFeed && end == text.size() && end - pos < kListChunkBytes;
        // The last byte read is dropped: the line feed, or for a full chunk its last byte.
        std::string_view item(text.data() + pos, end - pos - 1);
        pos = end;
        if (const std::size_t nul = item.find('\0'); nul != std::string_view::npos) {
            item = item.substr(0, nul);
        }
        if (item.size() > limit) continue;
        if (metEnd) break;
        items.emplace_back(item);
    }
    return items;
}

std::optional<std::string> ReadListFile(const std::string& path, std::size_t maxBytes) {
    std::string bytes;
#if defined(_WIN32)
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    bytes.resize(maxBytes);
    bytes.resize(std::fread(bytes.data(), 1, maxBytes, f));
    std::fclose(f);
#else
    // Non-blocking open so that a FIFO without a writer cannot hang start-up; fstat then
    // turns away everything that is not a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // Sized by the file, not by the bound, so a small list costs a small buffer; a file that
    // grows while it is read is followed up to the bound.
    bytes.resize(
        std::min<std::size_t>(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), maxBytes));
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got >= maxBytes) break;
            bytes.resize(std::min(maxBytes, std::max<std::size_t>(got * 2, 4096)));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
#endif
    return bytes;
}

}  // namespace diduzozoz
