#include "lists/CodeList.h"

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

CodeListReader::CodeListReader(Source source, std::size_t limit)
    : m_source(std::move(source)), m_limit(limit) {}

bool CodeListReader::Fill() {
    if (m_atEnd) return false;
    constexpr std::size_t kBlock = 64 * 1024;
    m_block.resize(kBlock);
    const std::size_t n = m_source(m_block.data(), kBlock);
    if (n == 0) {
        m_atEnd = true;
        if (m_pendingCr) m_text.push_back('\r');  // a CR at the very end is a byte like others
        m_pendingCr = false;
        return false;
    }
    // Text-mode reading: a CR directly before an LF is part of the line end. A CR at the end
    // of a block waits for the next block to tell.
    for (std::size_t i = 0; i < n; ++i) {
        const char c = m_block[i];
        if (m_pendingCr) {
            m_pendingCr = false;
            if (c != '\n') m_text.push_back('\r');
        }
        if (c == '\r') {
            m_pendingCr = true;
        } else {
            m_text.push_back(c);
        }
    }
    return true;
}

bool CodeListReader::Next(std::string& item) {
    while (!m_done) {
        // Keep at least one read's worth of bytes, or all that is left.
        while (m_text.size() - m_pos < kListChunkBytes + 1 && Fill()) {
        }
        if (!m_started) {
            m_started = true;
            // Editors on Windows start UTF-8 files with a byte-order mark; it is no part of a code.
            if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0) m_pos = 3;
        }
        if (m_pos >= m_text.size()) break;
        // One read: up to and including a line feed, at most kListChunkBytes bytes.
        std::size_t end = m_pos;
        bool lineFeed = false;
        while (end < m_text.size() && end - m_pos < kListChunkBytes) {
            if (m_text[end++] == '\n') {
                lineFeed = true;
                break;
            }
        }
        const bool metEnd = !lineFeed && end == m_text.size() && end - m_pos < kListChunkBytes;
        // The last byte read is dropped: the line feed, or for a full chunk its last byte.
        std::string_view text(m_text.data() + m_pos, end - m_pos - 1);
        m_pos = end;
        if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
            text = text.substr(0, nul);
        }
        if (metEnd) break;  // a last line without a line feed is not taken
        // Judged bytes are dropped now and then, so the buffer stays one block or two.
        const bool take = text.size() <= m_limit;
        if (take) item.assign(text);
        if (m_pos > 64 * 1024) {
            m_text.erase(0, m_pos);
            m_pos = 0;
        }
        if (take) return true;
    }
    m_done = true;
    return false;
}

std::vector<std::string> ParseCodeList(std::string_view bytes, std::size_t limit) {
    CodeListReader reader(
        [&bytes](char* buffer, std::size_t size) {
            const std::size_t n = std::min(size, bytes.size());
            std::copy_n(bytes.data(), n, buffer);
            bytes.remove_prefix(n);
            return n;
        },
        limit);
    std::vector<std::string> items;
    std::string item;
    while (reader.Next(item)) items.push_back(item);
    return items;
}

namespace {

#if !defined(_WIN32)
// Non-blocking open so that a FIFO without a writer cannot hang; fstat then turns away
// everything that is not a regular file. -1 when the file cannot be had.
int OpenRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}
#endif

}  // namespace

std::unique_ptr<CodeListReader> OpenListFile(const std::string& path, std::size_t limit) {
#if defined(_WIN32)
    std::shared_ptr<std::FILE> file(std::fopen(path.c_str(), "rb"), [](std::FILE* f) {
        if (f) std::fclose(f);
    });
    if (!file) return nullptr;
    return std::make_unique<CodeListReader>(
        [file](char* buffer, std::size_t size) { return std::fread(buffer, 1, size, file.get()); },
        limit);
#else
    const int fd = OpenRegularFile(path);
    if (fd < 0) return nullptr;
    auto closer = std::shared_ptr<int>(new int(fd), [](int* p) {
        ::close(*p);
        delete p;
    });
    return std::make_unique<CodeListReader>(
        [closer](char* buffer, std::size_t size) -> std::size_t {
            for (;;) {
                const ssize_t n = ::read(*closer, buffer, size);
                if (n < 0 && errno == EINTR) continue;
                return n > 0 ? static_cast<std::size_t>(n) : 0;
            }
        },
        limit);
#endif
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
    const int fd = OpenRegularFile(path);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    ::fstat(fd, &st);
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
