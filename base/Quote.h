// Text a user or a file gave, as a message quotes it: on one line, of bounded length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace diduzozoz {

enum class Escaping {
    // Control bytes as '?', UTF-8 left legible, a text cut short as it is: the dialogs' style.
    kQuestionMark,
    // Control bytes as \xNN, UTF-8 left legible, "..." after a text cut short: a name or an
    // argument in the command line's messages.
    kControlBytes,
    // Everything but printable ASCII, and the backslash itself, as \xNN: a field that any bytes
    // can fill and that reads back unambiguously.
    kNonPrintableAscii,
};

// How much of a text a message quotes.
inline constexpr std::size_t kQuotedBytes = 40;

// At most max bytes of text, escaped as asked; a UTF-8 character left legible is never cut.
std::string Quoted(std::string_view text, Escaping escaping = Escaping::kControlBytes,
                   std::size_t max = std::string_view::npos);

// Text the user gave, as the dialogs' and the sheets' messages quote it.
inline std::string ShownInMessage(std::string_view text) {
    return Quoted(text, Escaping::kQuestionMark, kQuotedBytes);
}

}  // namespace diduzozoz
