// CODE128's automatic and GS1-128 forms: the encoder chooses the start set and inserts CODE A,
// CODE B, CODE C and SHIFT so that the symbol has the fewest symbols possible.
//
// Automatic: the characters of set B (0x20 to 0x7F) and the control characters of set A (0x01
// to 0x1F, and the internal code 0x80 for NUL); the modulus 103 check character as the CD box
// says. GS1-128: GS1 data as typed (symbology/Gs1.h), FNC1 after the start symbol and after
// every field of variable length that is not the last, the check character always.
//
// Nothing is appended to m_szCode: the symbols are worked out in the job's own buffers, from
// the code text alone, every time they are needed (drawing, the read-back's meaning).
#pragma once

#include <string>
#include <vector>

#include "symbology/Context.h"

namespace diduzozoz {

// FNC1 among the characters the automatic encoder takes (bytes are 0x00 to 0x7F).
inline constexpr int kCode128Fnc1Char = 0x100;

// The fewest symbols that carry chars: the start symbol, then the data symbols with the code
// changes and shifts they need; no check symbol, no stop. Among encodings of the fewest
// symbols, the one with the fewest code changes and shifts, then the start C, B, A in that
// order. start is set to the start set's letter. chars outside the sets give nothing.
std::vector<int> Code128FewestSymbols(const std::vector<int>& chars, char& start);
// The modulus 103 check value of symbols (the start symbol first).
int Code128CheckValue(const std::vector<int>& symbols);

struct Code128Encoding {
    std::vector<int> symbols;  // start, data and, where drawn, the check symbol; no stop
    char start = 'B';
    std::string status;   // the data as the status line names it (bytes, shown readable)
    std::string caption;  // as drawn with the bars
    int captionRow = 0;   // characters in a caption row; 0 for one row
    std::string meant;    // what a reader reports: the bytes, or GS1's element string
    bool checkSymbol = false;
    bool paymentCode = false;
};

// The symbols of the job's code text in its form (automatic or GS1-128). false, with the
// message that refuses the text in error, when the text does not fit the form.
bool EncodeCode128Form(const BarcodeSettings& job, Code128Encoding& out, std::string& error);

// The Create command's check of the code text in these forms.
CheckOutcome CheckCode128FormContent(CreateContext& job);
void RenderCode128Form(CreateContext& job);

}  // namespace diduzozoz
