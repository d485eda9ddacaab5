// Code list files: the lines offered in the code and reference-number combos, from bytes the
// front ends and the command line read (platform/ListFile.h). Plain C++, no operating system.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace diduzozoz {

// Longest line each list takes, in bytes.
inline constexpr std::size_t kCodeListLineLimit = 120;
inline constexpr std::size_t kRefNoListLineLimit = 8;

// Lines are read in chunks of at most this many bytes; each chunk is judged as a line.
inline constexpr std::size_t kListChunkBytes = 254;

// A list file is read up to this many bytes; whatever follows is ignored, and the line cut
// there counts as a last line without a line feed (not taken). No real list comes near it.
inline constexpr std::size_t kMaxListFileBytes = 1024 * 1024;

// The items of a list file's bytes, in file order:
// - a line is taken only when a line feed ends it (CR LF counts as LF);
// - lines longer than 254 bytes are judged in chunks of at most 254 bytes;
// - an item longer than limit bytes is skipped; a blank line is an empty item;
// - an item ends at an embedded NUL byte, as text in a byte array would;
// - a UTF-8 byte-order mark at the start of the file is not part of the first item;
// - a file that starts with the byte-order mark of UTF-16 (LE or BE) is read as UTF-8 text
//   of the same characters, and the limit counts its UTF-8 bytes.
std::vector<std::string> ParseCodeList(std::string_view bytes, std::size_t limit);

// The same rules, one item at a time, from bytes that arrive in blocks: a list of any length
// is read in constant memory.
class CodeListReader {
  public:
    // Reads up to size bytes into buffer; returns 0 at the end.
    using Source = std::function<std::size_t(char* buffer, std::size_t size)>;

    CodeListReader(Source source, std::size_t limit);
    // The next item, or false when the list has no more.
    bool Next(std::string& item);

  private:
    bool Fill();  // appends one more block to m_text; false at the end of the source
    // A block as the text it holds: as it is, or UTF-16 with a byte-order mark as UTF-8.
    std::string_view Decoded(std::string_view bytes, bool last);

    enum class Encoding { kUnknown, kBytes, kUtf16Le, kUtf16Be };
    Encoding m_encoding = Encoding::kUnknown;
    std::string m_undecoded;  // bytes that wait for the next block
    std::string m_decoded;

    Source m_source;
    std::size_t m_limit;
    std::string m_text;     // bytes not yet judged, CR LF already turned into LF
    std::size_t m_pos = 0;  // first byte of m_text not yet judged
    bool m_atEnd = false;   // the source is exhausted
    bool m_pendingCr = false;
    bool m_started = false;  // the byte-order mark check is done
    bool m_done = false;
    std::string m_block;
};

// A line of a mailing list as spreadsheets export it: "POSTCODE<TAB>ADDRESS", or with commas
// for tabs. The first field is the postcode; the fields after it, joined by blanks, the
// address (a second address column holds the building and room). A field in double quotes
// loses them ("" inside stands for one). False, and nothing set, for a line with neither.
bool SplitAddressLine(std::string_view line, std::string& postcode, std::string& address);

// A list line as the combos show it, in UTF-8: valid UTF-8 as it is; any other line as code
// page 932 (Shift_JIS as Japanese Windows writes it), whatever the running system's code page,
// with U+FFFD for each byte or pair that stands for no character there.
std::string ListItemText(std::string_view line);

}  // namespace diduzozoz
