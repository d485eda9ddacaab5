// The postal customer barcode read back from the pixel columns of an exported image, with the
// symbol table and the modulus 19 check written down here a second time, from the published
// table, so that a fault in the encoder's copy shows as a disagreement.
#pragma once

#include <string>
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
    std::string text;       // postal code " - " reference number, as the job writes it
};

PostalRead ReadPostal(const ExportImage& image, const Scan& scan);

// The check value that makes the sum of the data area a multiple of 19.
int PostalCheckOf(const std::vector<int>& data);

// How a symbol value reads: a digit, "-", or CC1 to CC8 in brackets.
std::string PostalSymbolName(int value);

}  // namespace diduzozoz::verify
