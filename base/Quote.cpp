#include "base/Quote.h"

#include <cstdio>

#include "base/BoundedCopy.h"

namespace diduzozoz {

std::string Quoted(std::string_view text, Escaping escaping, std::size_t max) {
    const bool cut = text.size() > max;
    if (cut) {
        // Escaped bytes stand for themselves: only legible UTF-8 needs a whole character.
        text = text.substr(
            0, escaping == Escaping::kNonPrintableAscii ? max : Utf8SafePrefix(text, max));
    }
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        const bool control = b < 0x20 || b == 0x7F;
        if (escaping == Escaping::kQuestionMark) {
            out += control ? '?' : c;
        } else if (control ||
                   (escaping == Escaping::kNonPrintableAscii && (b >= 0x7F || b == '\\'))) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        } else {
            out += c;
        }
    }
    if (cut && escaping != Escaping::kQuestionMark) out += "...";
    return out;
}

}  // namespace diduzozoz
