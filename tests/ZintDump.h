// zint, an independent generator, as the tests' oracle: `zint --dump` prints a symbol's rows
// of modules in hex, one line a row, a nibble a hex digit.
#pragma once

#include <cctype>
#include <sstream>
#include <string>
#include <vector>
#if !defined(_WIN32)
#include <cstdio>
#endif

namespace diduzozoz::test {

// The rows of a dump, '1' a bar module and '0' a space, padded to whole nibbles.
inline std::vector<std::string> ZintRowsOfDump(const std::string& dump) {
    std::vector<std::string> rows;
    std::istringstream lines(dump);
    for (std::string line; std::getline(lines, line);) {
        std::string bits;
        for (char c : line) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) continue;
            const int v = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            for (int b = 3; b >= 0; --b) bits += (v >> b) & 1 ? '1' : '0';
        }
        if (!bits.empty()) rows.push_back(bits);
    }
    return rows;
}

#if !defined(_WIN32)
// zint's rows for data as a barcode type (escapes: data holds zint's \xNN escapes); none when
// zint cannot be run or refuses the data.
inline std::vector<std::string> ZintRows(const std::string& type, const std::string& data,
                                         bool escapes = false) {
    std::string quoted;
    for (char c : data) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    const std::string command = std::string("zint ") + (escapes ? "--esc " : "") + "-b " + type +
                                " --dump -d '" + quoted + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string dump;
    for (int c; (c = std::fgetc(pipe)) != EOF;) dump += static_cast<char>(c);
    if (pclose(pipe) != 0) return {};
    return ZintRowsOfDump(dump);
}
#endif

}  // namespace diduzozoz::test
