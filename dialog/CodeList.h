// Code list files: the lines offered in the code and reference-number combos.
// Plain C++ without Qt, so the command-line renderer can read the same lists.
#pragma once

#include <cstddef>
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
// - a UTF-8 byte-order mark at the start of the file is not part of the first item.
std::vector<std::string> ParseCodeList(std::string_view bytes, std::size_t limit);

// The bytes of a list file, or nothing when it cannot be opened as a regular file. Never
// blocks: FIFOs, devices and directories count as files that cannot be opened.
std::optional<std::string> ReadListFile(const std::string& path,
                                        std::size_t maxBytes = kMaxListFileBytes);

}  // namespace diduzozoz
