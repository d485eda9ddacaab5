// The record of one barcode job: what the option controls set and the renderers read.
#pragma once

#include <string>

namespace diduzozoz {

// Code types, numbered as m_nSymbology holds them; 0 means none chosen yet.
enum Symbology : int {
    kSymbologyNone = 0,
    kSymbologyNw7 = 1,
    kSymbologyCode39 = 2,
    kSymbologyJan = 3,
    kSymbologyItf = 4,
    kSymbologyCode128 = 5,
    kSymbologyPostal = 6,
};
inline constexpr int kSymbologyCount = 7;  // including kSymbologyNone

// Check-digit option word: low four bits the calculation pattern, 0x10 check digit on.
inline constexpr int kPatternMask = 0x0F;
inline constexpr int kCheckDigitOnMask = 0xF0;
inline constexpr int kCheckDigitOn = 0x10;

// m_nTextPosition: where the caption goes.
inline constexpr int kTextNone = 0;
inline constexpr int kTextBelow = 1;
inline constexpr int kTextAbove = 2;

// Longest texts the shells accept, in bytes. The code leaves room for the up to three
// characters a run may add (set-C fill digit, two-character check value).
inline constexpr int kMaxCodeBytes = 124;
inline constexpr int kMaxRefNoBytes = 15;
// An address, or an address number, of the postal address forms.
inline constexpr int kMaxAddressBytes = 120;

// The forms of a code type, as its form member holds them. The first of each is the one every
// job starts with: the type exactly as it has always been drawn.
enum JanForm : int { kJanForm13 = 0, kJanForm8 = 1 };
enum ItfForm : int { kItfFormPlain = 0, kItfFormInterleaved = 1, kItfForm14 = 2 };
enum Code128Form : int { kCode128FormFixed = 0, kCode128FormAuto = 1, kCode128FormGs1 = 2 };
enum PostalForm : int {
    kPostalFormDigits = 0,         // the reference number, digits only
    kPostalFormAddressNumber = 1,  // the address number as typed: digits, "-", A-Z
    kPostalFormAddress = 2,        // the address number taken from the address
};

struct BarcodeSettings {
    int m_nSymbology = 0;
    int m_nCdNW7 = 0x01;
    int m_nCdCode39 = 0x01;
    int m_nCdJan = 0x01;
    int m_nCdItf = 0x01;
    int m_nCdCode128 = 0x01;
    int m_nCdPostal = 0x01;
    // Outside 0..18 means "no check symbol": a run only draws a check value it computed.
    int m_nPostalCheck = -1;
    int m_nTextPosition = 0;
    int m_nLineUnit = 1;
    int m_nBarHeight = 40;
    int m_nMarginX = 10;
    int m_nMarginY = 20;
    char m_szCode[128] = {};
    char m_szRefNo[16] = {};
    char m_szNW7Start[2] = {'A', 0};
    char m_szNW7Stop[2] = {'A', 0};
    char m_szCode128Start[2] = {'A', 0};
    int m_nJanForm = kJanForm13;
    int m_nItfForm = kItfFormPlain;
    int m_nCode128Form = kCode128FormFixed;
    int m_nPostalForm = kPostalFormDigits;
    // The postal address forms' text; m_szRefNo keeps the digits form's.
    char m_szAddress[kMaxAddressBytes + 1] = {};
    char m_szDataText[512] = {};
    std::string m_strStatus;

    // The option word of a code type, or nullptr for kSymbologyNone and unknown values.
    int* OptionWord(int symbology);
    // The form member of a code type, or nullptr for a type with one form only.
    int* FormOf(int symbology);
    // Its value: 0, the first form, for a type with one form only.
    int FormValue(int symbology) const;
};

}  // namespace diduzozoz
