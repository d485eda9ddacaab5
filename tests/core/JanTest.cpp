// JAN: whole symbols module by module against the published EAN-13 and EAN-8 encodings, the
// parity rows, the check digit, the caption further left, refused input, and a round trip
// through ZXing-C++.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Strings.h"
#include "core/TestHost.h"
#include "render/BarCanvas.h"
#include "symbology/Jan.h"

#if defined(DIDUZOZOZ_HAVE_ZXING)
#include "core/Decode.h"
#endif

namespace diduzozoz::test {
namespace {

// EAN-13 as published: L codes; R codes are their complements and G codes the reversed R codes.
const char* const kL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                            "0110001", "0101111", "0111011", "0110111", "0001011"};
const char* const kParity[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                 "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};

std::string R(int d) {
    std::string r = kL[d];
    for (char& m : r) m = m == '1' ? '0' : '1';
    return r;
}
std::string G(int d) {
    const std::string r = R(d);
    return std::string(r.rbegin(), r.rend());
}

// The 95 modules of the symbol (the right half as long as the digits go), then one space.
std::string Ean13Modules(const std::string& digits) {
    const char* parity = kParity[digits[0] - '0'];
    std::string out = "101";
    for (int i = 1; i <= 6; ++i) {
        const int d = digits[i] - '0';
        out += parity[i - 1] == 'L' ? kL[d] : G(d);
    }
    out += "01010";
    for (std::size_t i = 7; i < digits.size(); ++i) out += R(digits[i] - '0');
    return out + "101" + "0";
}

TEST(Jan, Lookup) {
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(JanCharIndex(c), c >= '0' && c <= '9' ? c - '0' : -1) << b;
    }
    EXPECT_EQ(JanCharIndex(0), -1);
}

struct SymbolRow {
    const char* what;
    std::string code;
    int optionWord;
    std::string digits;  // data text, caption and status
    int modules;
};

TEST(Jan, WholeSymbols) {
    const SymbolRow rows[] = {
        {"worked example, check digit 4", "490123456789", 0x11, "4901234567894", 96},
        {"no check digit: five right digits", "490123456789", 0x01, "490123456789", 89},
        {"first digit 0: all odd", "012345678901", 0x11, "0123456789012", 96},
        {"first digit 9", "978020137962", 0x11, "9780201379624", 96},
        {"check digit 0", "000000000000", 0x11, "0000000000000", 96},
        {"check box ticked, pattern 2: no check digit", "490123456789", 0x12, "490123456789", 89},
    };
    for (const SymbolRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestJob t(kSymbologyJan, row.code, row.optionWord);
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(std::string(t.job.m_szDataText), row.digits);
        EXPECT_EQ(t.job.m_strStatus, "データ[　" + row.digits + "　]の形で作成しました");
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.width, 21 + row.modules);
        EXPECT_EQ(img.height, 80);
        const std::string modules = Ean13Modules(row.digits);
        ASSERT_EQ(static_cast<int>(modules.size()), row.modules);
        EXPECT_EQ(RowBits(img, 40, 0, img.width),
                  std::string(12, '0') + modules + std::string(9, '0'));
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);
        // The right-hand table is the last one built.
        EXPECT_STREQ(t.job.m_patternTable.Slot(0), "1110010");
    }
}

// The short JAN: EAN-8 worked examples, their 67 modules written from the number sets A and C
// of ISO/IEC 15420 (the same as zint's for these data), drawn as JAN-13 is: a space module
// after the right guard.
TEST(Jan, ShortJanWorkedExamples) {
    const char* const k49012347 =
        "1010100011000101100011010011001010101101100100001010111001000100101";
    const char* const k96385074 =
        "1010001011010111101111010110111010101001110111001010001001011100101";
    const struct {
        std::string code;
        int optionWord;
        std::string digits;
        const char* modules;
    } rows[] = {
        {"4901234", 0x11, "49012347", k49012347},
        {"49012347", 0x01, "49012347", k49012347},  // typed with its check digit
        {"9638507", 0x11, "96385074", k96385074},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        TestJob t(kSymbologyJan, row.code, row.optionWord);
        t.job.m_nJanForm = kJanForm8;
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(std::string(t.job.m_szDataText), row.digits);
        EXPECT_EQ(t.job.m_strStatus, "データ[　" + row.digits + "　]の形で作成しました");
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.width, 89);
        EXPECT_EQ(img.height, 80);
        EXPECT_EQ(RowBits(img, 40, 0, img.width),
                  std::string(12, '0') + row.modules + std::string(10, '0'));
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);
    }
}

// Every first digit selects its parity row; the first left character is always odd, and one
// space module stands on each side of the centre guard whatever the neighbouring digits.
TEST(Jan, ParityRowsAndCentreGuard) {
    for (int first = 0; first <= 9; ++first) {
        for (int d = 0; d <= 9; ++d) {
            const std::string code = std::to_string(first) + "12345" + std::to_string(d) +
                                     std::to_string(9 - d) + "4321";
            SCOPED_TRACE(code);
            TestJob t(kSymbologyJan, code, 0x01);
            ASSERT_TRUE(t.Run());
            const std::string seq = ModulesAt(t.LastExport(), 40, 12, 1, 89);
            EXPECT_EQ(seq, Ean13Modules(code));
            EXPECT_EQ(seq.substr(44, 3), "101");  // sixth left character, space, centre bar
            EXPECT_EQ(seq.substr(48, 3), "101");  // centre bar, space, first right character
        }
    }
}

struct CaptionRow {
    const char* what;
    int symbology;
    std::string code;
    int optionWord;
    int textPosition;
    std::string caption;
    int x, y;  // corner of the first character cell
    int form = 0;
};

// The caption of JAN starts 15 pixels further left than those of CODE39 and ITF, in every
// form.
TEST(Jan, CaptionPlaces) {
    const CaptionRow rows[] = {
        {"JAN below", kSymbologyJan, "490123456789", 0x11, 1, "4901234567894", 13, 60},
        {"JAN above", kSymbologyJan, "490123456789", 0x11, 2, "4901234567894", 13, 2},
        {"CODE39 below", kSymbologyCode39, "A", 0x01, 1, "*A*", 28, 60},
        {"ITF below: S and E blank", kSymbologyItf, "12", 0x01, 1, " 12 ", 28, 60},
        {"ITF above", kSymbologyItf, "12", 0x11, 2, " 123 ", 28, 2},
        {"JAN-8 as JAN-13", kSymbologyJan, "4901234", 0x11, 1, "49012347", 13, 60, kJanForm8},
        {"interleaved ITF as ITF", kSymbologyItf, "123", 0x01, 1, " 0123 ", 28, 60,
         kItfFormInterleaved},
        // Outside the frame: below its bottom bearer, above its top one.
        {"ITF-14 below", kSymbologyItf, "1490123456789", 0x11, 1, " 14901234567891 ", 33, 70,
         kItfForm14},
        {"ITF-14 above", kSymbologyItf, "1490123456789", 0x11, 2, " 14901234567891 ", 33, 2,
         kItfForm14},
    };
    for (const CaptionRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestJob t(row.symbology, row.code, row.optionWord);
        t.job.m_nTextPosition = row.textPosition;
        if (int* form = t.job.FormOf(row.symbology)) *form = row.form;
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(std::string(t.job.m_szDataText), row.caption);
        BarCanvas expected;
        expected.DrawText(row.x, row.y, row.caption);
        const ExportImage& img = t.LastExport();
        // Rows 60 and 61 below the bars are cleared again by the bottom trim line.
        const int y0 = row.y + (row.textPosition == 1 ? 2 : 0);
        int black = 0;
        for (int y = y0; y < row.y + 16; ++y) {
            EXPECT_EQ(RowBits(img, y, 0, img.width), CanvasRow(expected, y, 0, img.width)) << y;
            for (int x = 0; x < img.width; ++x) black += img.At(x, y);
        }
        EXPECT_GT(black, 0);
    }
}

struct RefusalRow {
    std::string code;
    const char* message;
};

TEST(Jan, RefusedInputDrawsNothing) {
    const RefusalRow rows[] = {
        {"12345678901X", str::kDigitsOnly},  // digits are checked before the length
        {"4901234567894", str::kJanLength},  // a typed check digit
        {"49012345678", str::kJanLength},
        {"", str::kJanLength},
        {"１２３４５６７８９０１２", str::kDigitsOnly},  // full-width digits
        {"12345678901 ", str::kDigitsOnly},
        {"-12345678901", str::kDigitsOnly},
    };
    for (const RefusalRow& row : rows) {
        for (int optionWord : {0x01, 0x11}) {
            SCOPED_TRACE(row.code + " " + std::to_string(optionWord));
            TestJob t(kSymbologyJan, row.code, optionWord);
            t.job.m_strStatus = "before";
            EXPECT_FALSE(t.Run());
            EXPECT_EQ(t.host.messages, std::vector<std::string>{row.message});
            EXPECT_TRUE(t.host.exports.empty());
            EXPECT_TRUE(CanvasIsWhite(t.job.m_canvas));
            EXPECT_EQ(t.job.m_strStatus, "before");
            EXPECT_EQ(std::string(t.job.m_szCode), row.code);
        }
    }
}

#if defined(DIDUZOZOZ_HAVE_ZXING)
TEST(JanDecode, RoundTripAsEan13) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"490123456789", "4901234567894"},
        {"978020137962", "9780201379624"},
        {"000000000000", "0000000000000"},
        {"999999999999", "9999999999994"},
    };
    for (int first = 0; first <= 9; ++first) {  // every parity row
        const std::string code = std::to_string(first) + "01234567890";
        cases.push_back({code, ""});
    }
    for (const auto& [code, expected] : cases) {
        for (int unit = 1; unit <= 3; ++unit) {
            SCOPED_TRACE(code + " unit " + std::to_string(unit));
            TestJob t(kSymbologyJan, code, 0x11);
            t.job.m_nLineUnit = unit;
            t.job.m_nMarginX = 10 * unit + 10;  // a quiet zone of ten modules
            ASSERT_TRUE(t.Run());
            const Decoded d = DecodeImage(t.LastExport(), ZXing::BarcodeFormat::EAN13);
            ASSERT_TRUE(d.valid);
            EXPECT_EQ(d.text, expected.empty() ? std::string(t.job.m_szDataText) : expected);
            EXPECT_EQ(d.text.substr(0, 12), code);
        }
    }
}
#endif

}  // namespace
}  // namespace diduzozoz::test
