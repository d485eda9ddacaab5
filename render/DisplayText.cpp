#include "render/DisplayText.h"

namespace diduzozoz {
namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

const char* SpecialName(unsigned char b) {
    switch (b) {
        case 0x81:
            return "FNC1";
        case 0x82:
            return "FNC2";
        case 0x83:
            return "FNC3";
        case 0x84:
            return "FNC4";
        case 0x85:
            return "SHIFT";
        case 0x90:
            return "CODE A";
        case 0x91:
            return "CODE B";
        case 0x92:
            return "CODE C";
        case 0x93:
            return "START A";
        case 0x94:
            return "START B";
        case 0x95:
            return "START C";
        default:
            return nullptr;
    }
}

}  // namespace

std::string DisplayText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else if (b < 0x20) {
            AppendUtf8(out, 0x2400 + b);
        } else if (b == 0x7F) {
            AppendUtf8(out, 0x2421);
        } else if (b == 0x80) {
            AppendUtf8(out, 0x2400);
        } else if (const char* name = SpecialName(b)) {
            AppendUtf8(out, 0xAB);
            out += name;
            AppendUtf8(out, 0xBB);
        } else {
            AppendUtf8(out, 0xFFFD);
        }
    }
    return out;
}

char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = b0 < 0x80             ? 0
                : (b0 & 0xE0) == 0xC0 ? 1
                : (b0 & 0xF0) == 0xE0 ? 2
                : (b0 & 0xF8) == 0xF0 ? 3
                                      : -1;
    if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
        ++i;
        return extra == 0 ? b0 : 0xFFFD;
    }
    char32_t cp = extra == 0 ? b0 : (b0 & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return cp;
}

}  // namespace diduzozoz
