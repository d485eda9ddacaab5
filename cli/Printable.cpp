#include "cli/Printable.h"

#include <cstdio>

namespace diduzozoz::cli {

std::string Printable(std::string_view text, Escaping escaping, std::size_t max) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < max; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const bool escaped = escaping == Escaping::kControlBytes
                                 ? b < 0x20 || b == 0x7F
                                 : b < 0x20 || b >= 0x7F || b == '\\';
        if (escaped) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        } else {
            out += text[i];
        }
    }
    if (text.size() > max) out += "...";
    return out;
}

}  // namespace diduzozoz::cli
