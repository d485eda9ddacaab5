// Build-time tool: extracts the caption glyphs from unifont.hex into a C++ table.
// Usage: gen_font UNIFONT.hex OUT.inc
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gen_font UNIFONT.hex OUT.inc\n";
        return 2;
    }
    std::set<unsigned long> wanted;
    for (unsigned long cp = 0x20; cp <= 0x7E; ++cp) wanted.insert(cp);
    for (unsigned long cp = 0x2400; cp <= 0x2421; ++cp) wanted.insert(cp);  // control pictures
    wanted.insert(0xAB);  // « and » bracket the names of CODE128 special symbols
    wanted.insert(0xBB);
    wanted.insert(0xFFFD);

    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "gen_font: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ofstream out(argv[2]);
    std::string line;
    std::size_t found = 0;
    while (std::getline(in, line)) {
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        unsigned long cp = std::strtoul(line.substr(0, colon).c_str(), nullptr, 16);
        if (!wanted.count(cp)) continue;
        std::string hex = line.substr(colon + 1);
        while (!hex.empty() && (hex.back() == '\r' || hex.back() == '\n')) hex.pop_back();
        int width = hex.size() == 32 ? 8 : hex.size() == 64 ? 16 : 0;
        if (width == 0) continue;
        out << "    {0x" << std::hex << cp << std::dec << ", " << width << ", {";
        int perRow = width / 4;  // hex digits per row
        for (int row = 0; row < 16; ++row) {
            unsigned long bits =
                std::strtoul(hex.substr(row * perRow, perRow).c_str(), nullptr, 16);
            if (width == 8) bits <<= 8;
            out << "0x" << std::hex << bits << std::dec << (row < 15 ? ", " : "");
        }
        out << "}},\n";
        ++found;
    }
    if (found != wanted.size()) {
        std::cerr << "gen_font: found " << found << " of " << wanted.size() << " glyphs\n";
        return 1;
    }
    return 0;
}
