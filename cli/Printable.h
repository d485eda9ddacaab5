// Quoting arbitrary bytes on one line of text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace diduzozoz::cli {

// Which bytes are written as \xNN.
enum class Escaping {
    // Control bytes only: a name or an argument quoted in a message, UTF-8 left legible.
    kControlBytes,
    // Everything but printable ASCII, and the backslash itself: a field that any bytes can
    // fill and that reads back unambiguously.
    kNonPrintableAscii,
};

// text on one line, escaped as asked; cut after max bytes, with "..." to say so.
std::string Printable(std::string_view text, Escaping escaping = Escaping::kControlBytes,
                      std::size_t max = std::string_view::npos);

}  // namespace diduzozoz::cli
