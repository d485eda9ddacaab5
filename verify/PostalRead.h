// The postal customer barcode read back from the pixel columns of an exported image, with the
// symbol table and the modulus 19 check written down here a second time, from the published
// table, so that a fault in the encoder's copy shows as a disagreement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/ExportImage.h"
#include "verify/Scan.h"

namespace diduzozoz::verify {

struct PostalRead {
    bool ok = false;  // a complete symbol: start, 20 data symbols, [check], stop
    // What could not be read, when not ok: "bar" (number: which, from 1), "bars" (number:
    // how many there are), "start", "stop", "symbol" (number: which, from 1).
    std::string where;
    int number = 0;
    std::vector<int> data;  // the 20 values of the data area
    int check = -1;         // the check symbol's value, -1 when the symbol has none
    // postal code " - " reference number, as the job writes it; letters as Japan Post writes
    // them (CC1 and 0 is A), a control code the cut left without its digit as "(CC1)"
    std::string text;
};

PostalRead ReadPostal(const ExportImage& image, const Scan& scan);

// The check value that makes the sum of the data area a multiple of 19.
int PostalCheckOf(const std::vector<int>& data);

// How a symbol value reads: a digit, "-", or CC1 to CC8 in brackets.
std::string PostalSymbolName(int value);

// What the read-back reports for an address number in the 13 reference positions: a digit or
// "-" takes one, a letter two; the rest is cut, and a letter with room for its control code
// only is that code, "(CC1)" to "(CC3)".
std::string PostalNumberAsRead(std::string_view number);

}  // namespace diduzozoz::verify
