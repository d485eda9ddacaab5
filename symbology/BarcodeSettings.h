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

// Longest texts the shells accept, in bytes. The code leaves room for the up to three
// characters a run may add (set-C fill digit, two-character check value).
inline constexpr int kMaxCodeBytes = 124;
inline constexpr int kMaxRefNoBytes = 15;

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
    char m_szDataText[512] = {};
    std::string m_strStatus;

    // The option word of a code type, or nullptr for kSymbologyNone and unknown values.
    int* OptionWord(int symbology);
};

}  // namespace diduzozoz
