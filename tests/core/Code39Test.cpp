// CODE39: lookups, the modulus 43 check character, whole symbols module by module, refused
// input, and a round trip through ZXing-C++ with and without its check-sum validation.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "core/TestHost.h"
#include "symbology/Code39.h"

#if defined(DIDUZOZOZ_HAVE_ZXING)
#define ZX_USE_UTF8 1
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include "core/Decode.h"
#endif

namespace diduzozoz::test {
namespace {

// Element widths (n narrow, w wide; bar first, alternating) of the characters the tables
// below use, as Code 39 is published; each character is followed by a one-module gap.
std::string Modules(const std::string& text) {
    static const std::map<char, std::string> kWidths = {
        {'*', "nwnnwnwnn"}, {'0', "nnnwwnwnn"}, {'1', "wnnwnnnnw"}, {'3', "wnwwnnnnn"},
        {'9', "nnwwnnwnn"}, {'A', "wnnnnwnnw"}, {'B', "nnwnnwnnw"}, {'C', "wnwnnwnnn"},
        {'D', "nnnnwwnnw"}, {'E', "wnnnwwnnn"}, {'L', "nnwnnnnww"}, {'O', "wnnnwnnwn"},
        {'W', "wwwnnnnnn"}, {'Z', "nwwnwnnnn"}, {'-', "nwnnnnwnw"}, {' ', "nwwnnnwnn"},
    };
    std::string out;
    for (char c : text) {
        const std::string& widths = kWidths.at(c);
        for (std::size_t i = 0; i < widths.size(); ++i) {
            out.append(widths[i] == 'w' ? 2 : 1, i % 2 == 0 ? '1' : '0');
        }
        out += '0';
    }
    return out;
}

TEST(Code39, LookupsCoverTheSetAndNothingElse) {
    EXPECT_EQ(Code39CharIndex('9'), 9);
    EXPECT_EQ(Code39CharIndex('A'), 10);
    EXPECT_EQ(Code39CharIndex(' '), 38);
    EXPECT_EQ(Code39CharIndex('*'), 43);
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool inSet = std::string_view(kCode39CharSet).find(c) != std::string_view::npos;
        EXPECT_EQ(Code39CharIndex(c) >= 0, inSet) << b;
        if (inSet) {
            EXPECT_EQ(Code39CharAt(Code39CharIndex(c)), c) << b;
        }
    }
    EXPECT_EQ(Code39CharIndex(0), -1);
    EXPECT_EQ(Code39CharAt(44), static_cast<char>(0xFF));
    EXPECT_EQ(Code39CharAt(-1), static_cast<char>(0xFF));
}

// Every pattern is 5 bars and 4 spaces, exactly 3 of them wide, then the gap: 13 modules.
TEST(Code39, EveryPatternHasThreeWideElementsOfNine) {
    PatternTable table;
    BuildCode39Table(table);
    std::vector<std::string> seen;
    for (int slot = 0; slot < 44; ++slot) {
        SCOPED_TRACE(slot);
        const std::string p = table.Slot(slot);
        ASSERT_EQ(p.size(), 13u);
        ASSERT_EQ(p.back(), '0');
        int elements = 0, wide = 0, bars = 0;
        for (std::size_t i = 0; i + 1 < p.size();) {
            std::size_t j = i;
            while (j + 1 < p.size() && p[j] == p[i]) ++j;
            ASSERT_LE(j - i, 2u);
            ++elements;
            wide += j - i == 2;
            bars += p[i] == '1';
            i = j;
        }
        EXPECT_EQ(elements, 9);
        EXPECT_EQ(bars, 5);
        EXPECT_EQ(wide, 3);
        for (const std::string& other : seen) EXPECT_NE(p, other);
        seen.push_back(p);
    }
    EXPECT_STREQ(table.Slot(44), "");
}

struct SymbolRow {
    const char* what;
    std::string code;
    int optionWord;
    std::string dataText;  // also the caption, quoted by the status line
    int modules;
    int width;
};

// Start settings: unit 1, height 40, margins 10 and 20, so W = 21 + modules and H = 80.
TEST(Code39, WholeSymbols) {
    const SymbolRow rows[] = {
        {"A, no check character", "A", 0x01, "*A*", 39, 60},
        {"A with its check character A", "A", 0x11, "*AA*", 52, 73},
        {"CODE39: sum 75, check W", "CODE39", 0x11, "*CODE39W*", 117, 138},
        {"empty code: two asterisks", "", 0x01, "**", 26, 47},
        {"empty code, check 0", "", 0x11, "*0*", 39, 60},
        {"asterisk inside the data", "A*B", 0x01, "*A*B*", 65, 86},
        {"an inner asterisk adds 43: check L as for AB", "A*B", 0x11, "*A*BL*", 78, 99},
        {"check character space", "Z3", 0x11, "*Z3 *", 65, 86},
        {"check character minus", "Z1", 0x11, "*Z1-*", 65, 86},
        {"check digit box ticked, pattern 2: no check", "A", 0x12, "*A*", 39, 60},
    };
    for (const SymbolRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestJob t(kSymbologyCode39, row.code, row.optionWord);
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(std::string(t.job.m_szDataText), row.dataText);
        EXPECT_EQ(t.job.m_strStatus, "データ[　" + row.dataText + "　]の形で作成しました");
        EXPECT_EQ(t.host.statuses.size(), 1u);
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.width, row.width);
        EXPECT_EQ(img.height, 80);
        // The whole row: margin, the modules from x = 12, margin.
        const std::string expected = std::string(12, '0') + Modules(row.dataText);
        ASSERT_EQ(static_cast<int>(expected.size()), 12 + row.modules);
        EXPECT_EQ(RowBits(img, 40, 0, img.width), expected + std::string(9, '0'));
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);  // check character gone again
    }
}

// The longest code the Create command accepts still gets its check character.
TEST(Code39, LongestCodeKeepsItsCheckCharacter) {
    const std::string code(kMaxCodeBytes, 'Z');  // 124 x 35 = 4340 = 43 x 100 + 40: "/"
    TestJob t(kSymbologyCode39, code, 0x11);
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(std::string(t.job.m_szDataText), "*" + code + "/*");
    EXPECT_EQ(t.LastExport().width, 21 + 13 * 127);
}

// Called on its own with a full m_szCode, the step writes nothing past the array.
TEST(Code39, CheckCharacterNeverWritesPastTheCode) {
    TestJob t(kSymbologyCode39);
    const std::string full(sizeof t.job.m_szCode - 1, 'A');
    CopyText(t.job.m_szCode, full);
    CheckMod43(t.job);
    EXPECT_EQ(TextView(t.job.m_szCode), full);
    EXPECT_EQ(t.job.m_szCode[sizeof t.job.m_szCode - 1], 0);
}

TEST(Code39, RefusedInputDrawsNothing) {
    const char* codes[] = {"abc", "A_B", "A\tB", "Ａ", "\xC3\xA9", "12,3"};
    for (const char* code : codes) {
        SCOPED_TRACE(code);
        TestJob t(kSymbologyCode39, code, 0x11);
        t.job.m_strStatus = "before";
        EXPECT_FALSE(t.Run());
        EXPECT_EQ(t.host.messages, std::vector<std::string>{str::kCode39Code});
        EXPECT_TRUE(t.host.exports.empty());
        EXPECT_TRUE(CanvasIsWhite(t.job.m_canvas));
        EXPECT_EQ(t.job.m_strStatus, "before");
        EXPECT_EQ(std::string(t.job.m_szCode), code);
    }
}

#if defined(DIDUZOZOZ_HAVE_ZXING)
// ZXing's Code 39 reader, optionally checking and removing the modulus 43 character.
Decoded DecodeCode39(const ExportImage& image, bool validateCheckSum) {
    std::vector<std::uint8_t> lum(image.pixels.size());
    for (std::size_t i = 0; i < lum.size(); ++i) lum[i] = image.pixels[i] ? 0 : 255;
    ZXing::ImageView view(lum.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code39);
    hints.setTryHarder(true);
    hints.setValidateCode39CheckSum(validateCheckSum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return {result.isValid(), result.text(), ZXing::ToString(result.format())};
}

struct DecodeRow {
    std::string code;
    bool checkCharacter;
    std::string raw;  // what the reader sees without validation
};

TEST(Code39Decode, RoundTripTable) {
    const DecodeRow rows[] = {
        {"A", false, "A"},
        {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", false,
         "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"},
        {"A", true, "AA"},
        {"CODE39", true, "CODE39W"},
        {"Z3", true, "Z3 "},
        {"HELLO WORLD", true, "HELLO WORLD."},  // sum 252, remainder 37
        {"$12.50/KG", true, "$12.50/KGV"},      // sum 160, remainder 31
    };
    for (const DecodeRow& row : rows) {
        for (int unit = 1; unit <= 3; ++unit) {
            SCOPED_TRACE(row.code + " unit " + std::to_string(unit));
            TestJob t(kSymbologyCode39, row.code, row.checkCharacter ? 0x11 : 0x01);
            t.job.m_nLineUnit = unit;
            t.job.m_nMarginX = 10 * unit + 10;  // a quiet zone of ten modules
            ASSERT_TRUE(t.Run());
            const Decoded plain = DecodeCode39(t.LastExport(), false);
            ASSERT_TRUE(plain.valid);
            EXPECT_EQ(plain.text, row.raw);
            if (row.checkCharacter) {
                const Decoded checked = DecodeCode39(t.LastExport(), true);
                ASSERT_TRUE(checked.valid);
                EXPECT_EQ(checked.text, row.code);
            }
        }
    }
}
#endif

}  // namespace
}  // namespace diduzozoz::test
