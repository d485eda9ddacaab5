// ITF as this program draws it: every digit on its own (not interleaved), start and stop bars,
// the check digit, the caption without S and E, and refused input. ZXing cannot read this
// deliberately non-standard symbol, so the modules are compared exactly instead.
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
