// ITF as this program draws it by default: every digit on its own (not interleaved), start and
// stop bars, the check digit, the caption without S and E, and refused input. ZXing cannot
// read this deliberately non-standard symbol, so the modules are compared exactly instead.
// Then its interleaved forms, plain and as ITF-14 in its frame, against worked examples.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Strings.h"
#include "core/TestHost.h"
#include "symbology/Itf.h"

namespace diduzozoz::test {
namespace {

// Bar widths of the 2 of 5 digits (N narrow, W wide), each bar followed by a one-module space.
std::string ItfModules(const std::string& digits) {
    static const char* const kBars[10] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                          "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};
    std::string out = "01010";  // start
    for (char c : digits) {
        for (const char* b = kBars[c - '0']; *b; ++b) out += *b == 'W' ? "110" : "10";
    }
    return out + "11010";  // stop
}

TEST(Itf, LookupCoversTheSetAndNothingElse) {
    EXPECT_EQ(ItfCharIndex('0'), 0);
    EXPECT_EQ(ItfCharIndex('9'), 9);
    EXPECT_EQ(ItfCharIndex('S'), 10);
    EXPECT_EQ(ItfCharIndex('E'), 11);
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool inSet = std::string_view(kItfCharSet).find(c) != std::string_view::npos;
        EXPECT_EQ(ItfCharIndex(c) >= 0, inSet) << b;
    }
    EXPECT_EQ(ItfCharIndex(0), -1);
}

struct SymbolRow {
    const char* what;
    std::string code;
    int optionWord;
    std::string digits;  // quoted by the status line
    int modules;
};

TEST(Itf, WholeSymbols) {
    const SymbolRow rows[] = {
        {"worked example S12E", "12", 0x01, "12", 34},
        {"check digit: 1 x 1 + 2 x 3 = 7, digit 3", "12", 0x11, "123", 46},
        {"empty code: start and stop only", "", 0x01, "", 10},
        {"empty code with check digit 0", "", 0x11, "0", 22},
        {"odd length drawn unchanged", "123", 0x01, "123", 46},
        {"every digit", "0123456789", 0x01, "0123456789", 130},
        {"check box ticked, pattern 2: no check digit", "12", 0x12, "12", 34},
    };
    for (const SymbolRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestJob t(kSymbologyItf, row.code, row.optionWord);
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.job.m_strStatus, "データ[　" + row.digits + "　]の形で作成しました");
        EXPECT_EQ(std::string(t.job.m_szDataText), " " + row.digits + " ");
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.width, 21 + row.modules);
        EXPECT_EQ(img.height, 80);
        const std::string modules = ItfModules(row.digits);
        ASSERT_EQ(static_cast<int>(modules.size()), row.modules);
        EXPECT_EQ(RowBits(img, 40, 0, img.width),
                  std::string(12, '0') + modules + std::string(9, '0'));
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);
    }
}

TEST(Itf, WiderModules) {
    for (int unit = 2; unit <= 3; ++unit) {
        SCOPED_TRACE(unit);
        TestJob t(kSymbologyItf, "1234", 0x11);  // 4 x 3 + 3 + 2 x 3 + 1 = 22: check digit 8
        t.job.m_nLineUnit = unit;
        ASSERT_TRUE(t.Run());
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.width, 12 + unit * 69 + 10);
        EXPECT_EQ(ModulesAt(img, 40, 12, unit, 70), ItfModules("12348"));
    }
}

// Modules written from ISO/IEC 16390 table 1 with wide elements of 3 modules (the same as
// zint's C25INTER and ITF14 for these data): start 1010, pairs, stop 11101.
const char* const k1234 = "101011101000101011100011101110100010100011101";
const char* const k0123 = "101010001011101110100010001110001010111011101";
const char* const k14901234567891 =
    "1010111010100010111000101110100011100010111010001010111000111011101000101000111010001110"
    "00101010001010111000111010001110101110100011101";

TEST(Itf, InterleavedWorkedExamples) {
    const struct {
        std::string code;
        int optionWord;
        std::string digits;  // as encoded: the status and the caption
        const char* modules;
    } rows[] = {
        {"1234", 0x01, "1234", k1234},
        {"123", 0x01, "0123", k0123},  // odd: a leading 0
        {"12", 0x11, "0123", k0123},   // the check digit 3 first, then the leading 0
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        TestJob t(kSymbologyItf, row.code, row.optionWord);
        t.job.m_nItfForm = kItfFormInterleaved;
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.job.m_strStatus, "データ[　" + row.digits + "　]の形で作成しました");
        EXPECT_EQ(std::string(t.job.m_szDataText), " " + row.digits + " ");
        const ExportImage& img = t.LastExport();
        // The stop ends in a bar; the right margin follows it.
        EXPECT_EQ(img.width, 12 + 45 + 10);
        EXPECT_EQ(RowBits(img, 40, 0, img.width),
                  std::string(12, '0') + row.modules + std::string(10, '0'));
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);
    }
}

// ITF-14 in its frame, pixel by pixel: two white columns, bearer 5 modules, quiet zone
// max(margin, 10 modules), the symbol, the same on the right; rows: margin, bearer, bars,
// bearer, margin.
TEST(Itf, Itf14WorkedExamples) {
    const struct {
        std::string code;
        int optionWord, unit, margin;
        int quiet;  // pixels inside the frame on each side
        int width, height;
    } rows[] = {
        {"1490123456789", 0x11, 1, 10, 10, 169, 90},
        {"14901234567891", 0x01, 3, 10, 30, 499, 110},  // 10 modules are more than the margin
        {"1490123456789", 0x11, 1, 30, 30, 209, 90},    // the margin is more: W grows
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code + " unit " + std::to_string(row.unit));
        TestJob t(kSymbologyItf, row.code, row.optionWord);
        t.job.m_nItfForm = kItfForm14;
        t.job.m_nLineUnit = row.unit;
        t.job.m_nMarginX = row.margin;
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.job.m_strStatus, "データ[　14901234567891　]の形で作成しました");
        const ExportImage& img = t.LastExport();
        ASSERT_EQ(img.width, row.width);
        ASSERT_EQ(img.height, row.height);
        const int bearer = 5 * row.unit;
        std::string bars;
        for (const char* m = k14901234567891; *m; ++m) bars += std::string(row.unit, *m);
        const std::string side = "00" + std::string(bearer, '1');
        const std::string barRow = side + std::string(row.quiet, '0') + bars +
                                   std::string(row.quiet, '0') +
                                   std::string(side.rbegin(), side.rend());
        const std::string bearerRow = "00" + std::string(row.width - 4, '1') + "00";
        const std::string white(row.width, '0');
        for (int y = 0; y < img.height; ++y) {
            const int fromTop = y - 20;  // the frame starts at the top margin
            const std::string& expected = fromTop < 0 || fromTop >= 2 * bearer + 40    ? white
                                          : fromTop < bearer || fromTop >= bearer + 40 ? bearerRow
                                                                                       : barRow;
            ASSERT_EQ(RowBits(img, y, 0, img.width), expected) << "row " << y;
        }
    }
}

TEST(Itf, RefusedInputDrawsNothing) {
    const char* codes[] = {"1S2", "S12E", "E", "12a", "１２", "1 2", "+12"};
    for (const char* code : codes) {
        for (int optionWord : {0x01, 0x11}) {
            SCOPED_TRACE(std::string(code) + " " + std::to_string(optionWord));
            TestJob t(kSymbologyItf, code, optionWord);
            t.job.m_strStatus = "before";
            EXPECT_FALSE(t.Run());
            EXPECT_EQ(t.host.messages, std::vector<std::string>{str::kDigitsOnly});
            EXPECT_TRUE(t.host.exports.empty());
            EXPECT_TRUE(CanvasIsWhite(t.job.m_canvas));
            EXPECT_EQ(t.job.m_strStatus, "before");
            EXPECT_EQ(std::string(t.job.m_szCode), code);
        }
    }
}

}  // namespace
}  // namespace diduzozoz::test
