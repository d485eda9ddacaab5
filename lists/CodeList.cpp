#include "lists/CodeList.h"

#include <algorithm>
#include <cerrno>

#include "render/DisplayText.h"

namespace diduzozoz {

namespace {

#include "cp932_table.inc"

// Length of the valid UTF-8 sequence at the start of s, or 0: no overlong forms, no
// surrogates, nothing above U+10FFFF.
std::size_t Utf8SequenceAt(std::string_view s) {
    const auto b = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string ListItemText(std::string_view line) {
    std::size_t valid = 0;
    while (valid < line.size()) {
        const std::size_t n = Utf8SequenceAt(line.substr(valid));
        if (n == 0) break;
        valid += n;
    }
    if (valid == line.size()) return std::string(line);

    std::string out;
    out.reserve(line.size() * 3 / 2);
    const auto byte = [&line](std::size_t i) { return static_cast<unsigned char>(line[i]); };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char b = byte(i);
        char32_t cp = 0xFFFD;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xA1 && b <= 0xDF) {
            cp = 0xFF61 + (b - 0xA1);  // half-width katakana
        } else if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < line.size() &&
                   byte(i + 1) >= 0x40 && byte(i + 1) <= 0xFC) {
            const int row = b <= 0x9F ? b - 0x81 : b - 0xE0 + 31;
            const char16_t unit = kCp932DoubleByte[row][byte(i + 1) - 0x40];
            if (unit != 0) cp = unit;
            ++i;  // a lead and a trail byte: one character, or one U+FFFD for the pair
        }
        AppendUtf8(out, cp);
    }
    return out;
}

namespace {

// The fields of a line split at separator outside double quotes; a quoted field loses its
// quotes ("" inside stands for one) and every field the blanks around it.
std::vector<std::string> Fields(std::string_view line, char separator) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    bool wasQuoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        std::string& field = fields.back();
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == separator) {
            fields.emplace_back();
            wasQuoted = false;
        } else if (c == '"' && !wasQuoted && field.find_first_not_of(' ') == std::string::npos) {
            field.clear();
            quoted = wasQuoted = true;
        } else {
            field += c;
        }
    }
    for (std::string& field : fields) {
        const std::size_t first = field.find_first_not_of(' ');
        field = first == std::string::npos
                    ? std::string()
                    : field.substr(first, field.find_last_not_of(' ') - first + 1);
    }
    return fields;
}

}  // namespace

bool SplitAddressLine(std::string_view line, std::string& postcode, std::string& address) {
    const char separator = line.find('\t') != std::string_view::npos  ? '\t'
                           : line.find(',') != std::string_view::npos ? ','
                                                                      : '\0';
    if (separator == '\0') return false;
    const std::vector<std::string> fields = Fields(line, separator);
    postcode = fields[0];
    address.clear();
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (fields[i].empty()) continue;
        if (!address.empty()) address += ' ';
        address += fields[i];
    }
    return true;
}

CodeListReader::CodeListReader(Source source, std::size_t limit)
    : m_source(std::move(source)), m_limit(limit) {}

namespace {

// A code point as UTF-8, the planes above the first included.
void AppendUtf8Any(std::string& out, char32_t cp) {
    if (cp < 0x10000) {
        AppendUtf8(out, cp);
        return;
    }
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

}  // namespace

std::string_view CodeListReader::Decoded(std::string_view bytes, bool last) {
    if (m_encoding == Encoding::kUnknown) {
        // A spreadsheet's "Unicode text" is UTF-16 with its byte-order mark; it takes two
        // bytes to see one.
        m_undecoded.append(bytes);
        if (m_undecoded.size() < 2 && !last) return {};
        const std::string_view head(m_undecoded);
        m_encoding = head.substr(0, 2) == "\xFF\xFE"   ? Encoding::kUtf16Le
                     : head.substr(0, 2) == "\xFE\xFF" ? Encoding::kUtf16Be
                                                       : Encoding::kBytes;
        if (m_encoding != Encoding::kBytes) m_undecoded.erase(0, 2);
        bytes = {};
        if (m_encoding == Encoding::kBytes) {
            m_decoded.swap(m_undecoded);
            m_undecoded.clear();
            return m_decoded;
        }
    }
    if (m_encoding == Encoding::kBytes) return bytes;
    // UTF-16 as UTF-8; half a unit or a high surrogate at the end of a block waits for the
    // next. What stands for no character becomes U+FFFD.
    m_undecoded.append(bytes);
    m_decoded.clear();
    const bool le = m_encoding == Encoding::kUtf16Le;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(m_undecoded[i]);
        const auto b = static_cast<unsigned char>(m_undecoded[i + 1]);
        return static_cast<char32_t>(le ? a | b << 8 : a << 8 | b);
    };
    std::size_t i = 0;
    while (i + 2 <= m_undecoded.size()) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 4 > m_undecoded.size() && !last) break;
            const char32_t low = i + 4 <= m_undecoded.size() ? unit(i + 2) : 0;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8Any(m_decoded, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 4;
                continue;
            }
        }
        AppendUtf8(m_decoded, u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
        i += 2;
    }
    if (last && i < m_undecoded.size()) {
        AppendUtf8(m_decoded, 0xFFFD);  // an odd byte at the very end
        i = m_undecoded.size();
    }
    m_undecoded.erase(0, i);
    return m_decoded;
}

bool CodeListReader::Fill() {
    if (m_atEnd) return false;
    constexpr std::size_t kBlock = 64 * 1024;
    m_block.resize(kBlock);
    const std::size_t n = m_source(m_block.data(), kBlock);
    const std::string_view text = Decoded(std::string_view(m_block.data(), n), n == 0);
    // Text-mode reading: a CR directly before an LF is part of the line end. A CR at the end
    // of a block waits for the next block to tell.
    for (const char c : text) {
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
    if (n == 0) {
        m_atEnd = true;
        if (m_pendingCr) m_text.push_back('\r');  // a CR at the very end is a byte like others
        m_pendingCr = false;
        return false;
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

}  // namespace diduzozoz
