// CODE128: lookups, the pattern table, set-C packing, check characters, whole symbols module
// by module, geometry, bounds of m_szCode and a decode round trip with ZXing-C++; the forms
// that choose their sets: worked examples, never more symbols than zint, the wide caption.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "ZintDump.h"
#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "core/TestHost.h"
#include "render/CaptionFont.h"
#include "symbology/Code128.h"
#include "symbology/Code128Forms.h"

#if defined(DIDUZOZOZ_HAVE_ZXING)
#include "core/Decode.h"
#endif

namespace diduzozoz::test {
namespace {

// Element widths (bar, space, bar, space, bar, space) of the symbols the tables below use,
// copied from the ISO/IEC 15417 symbol chart; the stop has seven elements.
const std::map<int, std::string> kIsoWidths = {
    {0, "212222"},   {1, "222122"},   {2, "222221"},   {12, "112232"},  {17, "123221"},
    {18, "223211"},  {19, "221132"},  {20, "221231"},  {30, "212123"},  {32, "232121"},
    {33, "111323"},  {34, "131123"},  {35, "131321"},  {50, "231131"},  {64, "111422"},
    {74, "142211"},  {82, "121241"},  {88, "421211"},  {94, "131141"},  {95, "114113"},
    {98, "411311"},  {100, "114131"}, {102, "411131"}, {103, "211412"}, {104, "211214"},
    {105, "211232"},
};
const char kIsoStopWidths[] = "2331112";

std::string ModulesOfWidths(const std::string& widths) {
    std::string out;
    bool bar = true;
    for (char w : widths) {
        out.append(static_cast<std::size_t>(w - '0'), bar ? '1' : '0');
        bar = !bar;
    }
    return out;
}

std::string ExpectedModules(const std::vector<int>& symbols) {
    std::string out;
    for (int v : symbols) out += ModulesOfWidths(kIsoWidths.at(v));
    return out + ModulesOfWidths(kIsoStopWidths);
}

struct Code128Job : TestJob {
    Code128Job(char set, const std::string& code, int optionWord)
        : TestJob(kSymbologyCode128, code, optionWord) {
        job.m_szCode128Start[0] = set;
    }
};

TEST(Code128, CharacterTablesOfSetsAAndB) {
    struct Row {
        char set;
        unsigned char byte;
        int value;
    } rows[] = {
        {'A', ' ', 0},    {'A', '_', 63},   {'A', 0x80, 64},  {'A', 0x01, 65},  {'A', 0x1F, 95},
        {'A', 0x83, 96},  {'A', 0x91, 100}, {'A', 0x84, 101}, {'A', 0x81, 102}, {'A', 0x93, 103},
        {'A', 0x95, 105}, {'B', ' ', 0},    {'B', '`', 64},   {'B', 0x7F, 95},  {'B', 0x92, 99},
        {'B', 0x84, 100}, {'B', 0x90, 101}, {'B', 0x81, 102}, {'B', 0x94, 104}, {'A', 'a', -1},
        {'A', 0x7F, -1},  {'A', 0x90, -1},  {'B', 0x01, -1},  {'B', 0x80, -1},  {'B', 0x91, -1},
        {'A', 0x00, -1},  {'B', 0xFF, -1},  {'C', '1', -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(1, row.set) + " byte " + std::to_string(row.byte));
        EXPECT_EQ(Code128CharIndex(row.set, static_cast<char>(row.byte)), row.value);
    }
    // Each table is one list serving both directions.
    for (char set : {'A', 'B'}) {
        for (int v = 0; v < kCode128SymbolCount; ++v) {
            EXPECT_EQ(Code128CharIndex(set, Code128CharAt(set, v)), v) << set << v;
        }
        EXPECT_EQ(Code128CharAt(set, 106), static_cast<char>(0xFF));
        EXPECT_EQ(Code128CharAt(set, -1), static_cast<char>(0xFF));
    }
    EXPECT_EQ(Code128CharAt('C', 0), static_cast<char>(0xFF));
}

TEST(Code128, PatternTableHoldsTheIsoSymbols) {
    PatternTable table;
    BuildCode128Table(table);
    std::set<std::string> seen;
    for (int v = 0; v < kCode128SymbolCount; ++v) {
        SCOPED_TRACE(v);
        const std::string p = table.Slot(v);
        // Eleven modules: bar, space, bar, space, bar, space, each 1 to 4 modules wide.
        ASSERT_EQ(p.size(), 11u);
        int elements = 1;
        int run = 1;
        for (std::size_t i = 1; i < p.size(); ++i) {
            if (p[i] == p[i - 1]) {
                EXPECT_LE(++run, 4);
            } else {
                ++elements;
                run = 1;
            }
        }
        EXPECT_EQ(p.front(), '1');
        EXPECT_EQ(p.back(), '0');
        EXPECT_EQ(elements, 6);
        EXPECT_TRUE(seen.insert(p).second) << "duplicate " << p;
        if (kIsoWidths.count(v)) {
            EXPECT_EQ(p, ModulesOfWidths(kIsoWidths.at(v)));
        }
    }
    EXPECT_STREQ(table.Slot(106), "");
    EXPECT_STREQ(table.Slot(127), "");
}

TEST(Code128, PackSetC) {
    struct Row {
        std::string in;
        std::string out;
    } rows[] = {
        {"\x95", "\x95"},
        {"\x95"
         "1234",
         "\x95\x0C\x22"},
        {"\x95"
         "00"
         "99",
         "\x95\x80\x63"},  // the pair 00 is held as 0x80
        {"\x95"
         "98:0",
         "\x95\x62\x64"},  // ':' counts as 10 in a check pair
        {"\x95"
         ":2",
         "\x95\x66"},
        {"\x95"
         ":3",
         "\x95\xFF"},  // 103 is no data value
        {"\x95"
         "123",
         "\x95\x0C\xFF"},
        {"\x95"
         "1A",
         "\x95\xFF"},
    };
    for (const Row& row : rows) {
        std::string s = row.in;
        Code128PackSetC(s);
        EXPECT_EQ(s, row.out) << row.in;
    }
    EXPECT_EQ(Code128SetCValue('\x95'), 105);
    EXPECT_EQ(Code128SetCValue('\x80'), 0);
    EXPECT_EQ(Code128SetCValue('\xFF'), -1);
}

struct SymbolRow {
    const char* what;
    char set;
    std::string code;
    int optionWord;
    std::string codeText;  // after the check step: the caption
    std::vector<int> symbols;
};

// Whole symbols through the Create command, read back module by module at the start
// settings: x0 = 12, xEnd = 11 + N, right margin from 12 + N, W = 22 + N.
TEST(Code128, WholeSymbolsModuleByModule) {
    constexpr int kOn = kCheckDigitOn | 1;
    const SymbolRow rows[] = {
        {"ABC, 310 mod 103 = 1", 'B', "ABC", kOn, "ABC!", {104, 33, 34, 35, 1}},
        {"digit pairs", 'C', "1234", kOn, "123482", {105, 12, 34, 82}},
        {"fill digit", 'C', "123", kOn, "123074", {105, 12, 30, 74}},
        {"check 100 as :0", 'C', "98", kOn, "98:0", {105, 98, 100}},
        {"check 64 is NUL", 'A', " @", kOn, " @\x80", {103, 0, 32, 64}},
        {"check 95 is DEL", 'B', "~", kOn, "~\x7F", {104, 94, 95}},
        {"check 102 is FNC1", 'B', "!R", kOn, "!R\x81", {104, 1, 50, 102}},
        {"empty, set A", 'A', "", kOn, " ", {103, 0}},
        {"empty, set B", 'B', "", kOn, "!", {104, 1}},
        {"empty, set C", 'C', "", kOn, "02", {105, 2}},
        {"digits one by one in set B", 'B', "1234", kOn, "1234x", {104, 17, 18, 19, 20, 88}},
        {"check digit off", 'B', "ABC", 0x01, "ABC", {104, 33, 34, 35}},
        {"off, fill digit stays", 'C', "123", 0x01, "1230", {105, 12, 30}},
        {"on with another pattern", 'B', "ABC", kCheckDigitOn | 2, "ABC", {104, 33, 34, 35}},
        {"empty, off", 'A', "", 0x01, "", {103}},
    };
    for (const SymbolRow& row : rows) {
        SCOPED_TRACE(row.what);
        Code128Job t(row.set, row.code, row.optionWord);
        ASSERT_TRUE(t.Run());
        EXPECT_TRUE(t.host.messages.empty());
        EXPECT_EQ(std::string(t.job.m_szDataText), row.codeText);
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);  // restored after the run
        const std::string expected = ExpectedModules(row.symbols);
        const int n = static_cast<int>(expected.size());
        EXPECT_EQ(n, 11 * static_cast<int>(row.symbols.size()) + 13);
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.width, 22 + n);
        EXPECT_EQ(img.height, 80);
        EXPECT_EQ(ModulesAt(img, 40, 12, 1, n), expected);
        EXPECT_EQ(RowBits(img, 40, 0, 12), std::string(12, '0'));
        EXPECT_EQ(RowBits(img, 40, 12 + n, img.width), std::string(10, '0'));
    }
}

TEST(Code128, GeometryOfTheWorkedExample) {
    Code128Job t('B', "ABC", kCheckDigitOn | 1);
    ASSERT_TRUE(t.Run());
    const ExportImage& img = t.LastExport();
    EXPECT_EQ(img.width, 90);
    EXPECT_EQ(img.height, 80);
    // The termination bar is whole at x = 78 and 79 (xEnd); the margin is x = 80 to 89.
    EXPECT_EQ(RowBits(img, 40, 74, 90),
              "101011"
              "0000000000");
    // Bars span rows 20 to 59, and the trim line of pen width 2 at y = 20 whitens rows 20
    // and 21 up to, not including, xEnd; at the bottom it lies below the bars.
    EXPECT_EQ(CanvasColumn(t.job.m_canvas, 78, 18, 62), "0000" + std::string(38, '1') + "00");
    EXPECT_EQ(CanvasColumn(t.job.m_canvas, 79, 18, 62), "00" + std::string(40, '1') + "00");
    EXPECT_EQ(t.job.m_strStatus, "スタートコード：B   データ[　ABC!　]の形で作成しました");
}

TEST(Code128, WiderModulesKeepTheTerminationBarWhole) {
    for (int unit = 1; unit <= 3; ++unit) {
        for (int marginX : {0, 1, 10}) {
            SCOPED_TRACE("unit " + std::to_string(unit) + " margin " + std::to_string(marginX));
            Code128Job t('B', "ABC", kCheckDigitOn | 1);
            t.job.m_nLineUnit = unit;
            t.job.m_nMarginX = marginX;
            ASSERT_TRUE(t.Run());
            const ExportImage& img = t.LastExport();
            const int xEnd = 2 + marginX + unit * 67;
            EXPECT_EQ(img.width, 2 + 2 * marginX + unit * 68);
            // Both modules of the termination bar, each its full unit wide, then white.
            const int barLeft = xEnd - unit - (unit - 1) / 2;
            EXPECT_EQ(RowBits(img, 40, barLeft, xEnd + unit / 2 + 1), std::string(2 * unit, '1'));
            EXPECT_EQ(RowBits(img, 40, xEnd + unit / 2 + 1, img.width),
                      std::string(img.width - (xEnd + unit / 2 + 1), '0'));
        }
    }
}

TEST(Code128, StatusAndCaptionShowSpecialSymbolsAsValidUtf8) {
    struct Row {
        char set;
        std::string code;
        std::string status;
    } rows[] = {
        {'A', " @", "スタートコード：A   データ[　 @␀　]の形で作成しました"},
        {'B', "~", "スタートコード：B   データ[　~␡　]の形で作成しました"},
        {'B', "!R", "スタートコード：B   データ[　!R«FNC1»　]の形で作成しました"},
    };
    for (const Row& row : rows) {
        Code128Job t(row.set, row.code, kCheckDigitOn | 1);
        t.job.m_nTextPosition = 1;
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.job.m_strStatus, row.status);
        EXPECT_EQ(t.host.statuses.back(), row.status);
    }
    // The caption is drawn from the same readable form, glyph by glyph from x = 28.
    Code128Job t('B', "!R", kCheckDigitOn | 1);
    t.job.m_nTextPosition = 1;
    ASSERT_TRUE(t.Run());
    for (int y = 0; y < kCaptionCellHeight; ++y) {
        std::string expected;
        for (char32_t cp : std::u32string(U"!R«FNC1»")) {
            const CaptionGlyph& g = CaptionGlyphFor(cp);
            for (int col = 0; col < g.width; ++col) {
                expected += (g.rows[y] & (0x8000u >> col)) ? '1' : '0';
            }
        }
        EXPECT_EQ(CanvasRow(t.job.m_canvas, 60 + y, 28, 28 + static_cast<int>(expected.size())),
                  expected)
            << "row " << y;
    }
}

// The longest accepted code, with the fill digit and a two-digit check, ends inside m_szCode
// and leaves the member behind it alone.
TEST(Code128, LongestCodeStaysInsideItsMember) {
    struct Row {
        char set;
        std::string code;
        std::size_t codeTextLength;
        int symbols;  // start, data and check
    } rows[] = {
        {'C', std::string(kMaxCodeBytes - 1, '7'), kMaxCodeBytes + 2, 64},  // fill digit and check
        {'C', std::string(kMaxCodeBytes, '9'), kMaxCodeBytes + 2, 64},
        {'B', std::string(kMaxCodeBytes, '~'), kMaxCodeBytes + 1, 126},
    };
    for (const Row& row : rows) {
        Code128Job t(row.set, row.code, kCheckDigitOn | 1);
        CopyText(t.job.m_szRefNo, "SENTINEL");
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(TextLength(t.job.m_szDataText), row.codeTextLength);
        EXPECT_STREQ(t.job.m_szRefNo, "SENTINEL");
        EXPECT_EQ(t.LastExport().width, 22 + 11 * row.symbols + 13);
    }
    // Called on a full m_szCode the check step appends nothing and says why.
    Code128Job full('B', std::string(127, 'A'), kCheckDigitOn | 1);
    CopyText(full.job.m_szRefNo, "SENTINEL");
    CheckMod103(full.job);
    EXPECT_EQ(TextLength(full.job.m_szCode), 127u);
    EXPECT_STREQ(full.job.m_szRefNo, "SENTINEL");
    EXPECT_EQ(full.host.messages, std::vector<std::string>{str::kCodeTooLong});
}

TEST(Code128, TextWithoutValuesIsNotDrawn) {
    // Only a caller that skips the Create command's checks can hand over such text.
    Code128Job t('A', "", 0x01);
    CopyText(t.job.m_szCode, "ab");
    CheckMod103(t.job);
    EXPECT_STREQ(t.job.m_szCode, "ab");  // no value, no check character
    RenderCode128(t.job);
    EXPECT_TRUE(t.host.exports.empty());
    t.job.m_szCode128Start[0] = 'D';
    RenderCode128(t.job);
    EXPECT_TRUE(t.host.exports.empty());
}

#if defined(DIDUZOZOZ_HAVE_ZXING)
// Round trip with an independent reader, check character on as the symbology requires: the
// reader drops the check character, so it returns the code text without it.
TEST(Code128Decode, RoundTripTable) {
    std::string pairs1;
    std::string pairs2;
    for (int v = 0; v < 50; ++v) pairs1 += std::to_string(v / 10) + std::to_string(v % 10);
    for (int v = 50; v < 100; ++v) pairs2 += std::to_string(v / 10) + std::to_string(v % 10);
    std::string printable;
    for (int b = 0x20; b <= 0x7E; ++b) printable += static_cast<char>(b);
    struct Row {
        char set;
        std::string code;
        std::string decoded;
    } rows[] = {
        {'A', "HELLO WORLD", "HELLO WORLD"},
        {'A', "CODE_128 [A] ^@?", "CODE_128 [A] ^@?"},
        {'A', " @", " @"},  // check character NUL
        {'B', "ABC", "ABC"},
        {'B', "Hello, World! {|}", "Hello, World! {|}"},
        {'B', "~", "~"},    // check character DEL
        {'B', "!R", "!R"},  // check character FNC1
        {'B', printable, printable},
        {'B', "1234", "1234"},
        {'C', "1234", "1234"},
        {'C', "123", "1230"},   // with its fill digit
        {'C', "98", "98"},      // check value 100
        {'C', "99", "99"},      // 101
        {'C', "0050", "0050"},  // 102
        {'C', pairs1, pairs1},  // every digit pair
        {'C', pairs2, pairs2},
    };
    for (const Row& row : rows) {
        for (int unit = 1; unit <= 3; ++unit) {
            SCOPED_TRACE(std::string(1, row.set) + " " + row.code + " unit " +
                         std::to_string(unit));
            Code128Job t(row.set, row.code, kCheckDigitOn | 1);
            t.job.m_nLineUnit = unit;
            t.job.m_nMarginX = 10 * unit + 10;  // a quiet zone of ten modules
            ASSERT_TRUE(t.Run());
            const Decoded d = DecodeImage(t.LastExport(), ZXing::BarcodeFormat::Code128);
            ASSERT_TRUE(d.valid);
            EXPECT_EQ(d.text, row.decoded);
        }
    }
}
#endif

// Worked examples of the forms that choose their sets, by hand from ISO/IEC 15417 (table 1 for
// the values, the check character: the start value plus each value times its position, modulo
// 103) and the GS1 General Specifications (FNC1 first and after a field of variable length
// that is not last, 5.4; check digits 7.9.1). The payment code is GS1 Japan's example.
TEST(Code128Forms, WorkedExamples) {
    constexpr int kAuto = kCode128FormAuto, kGs1 = kCode128FormGs1;
    const struct Row {
        const char* what;
        int form;
        std::string code;
        bool checkDigit;
        char start;
        std::vector<int> symbols;  // start to check symbol
    } rows[] = {
        {"letters, then digits in set C",
         kAuto,
         "AIM1234",
         true,
         'B',
         {104, 33, 41, 45, 99, 12, 34, 87}},
        {"digits, even: set C", kAuto, "1234", true, 'C', {105, 12, 34, 82}},
        {"digits, odd: the last in set B", kAuto, "12345", true, 'C', {105, 12, 34, 100, 21, 54}},
        {"a control character: set A", kAuto, "AB\tCD", true, 'A', {103, 33, 34, 73, 35, 36, 22}},
        {"a control among lower case: SHIFT", kAuto, "a\tb", true, 'B', {104, 65, 98, 73, 66, 24}},
        {"NUL, held as 0x80", kAuto, "\x80", true, 'A', {103, 64, 64}},
        {"check character off", kAuto, "AIM1234", false, 'B', {104, 33, 41, 45, 99, 12, 34}},
        {"FNC1 first and after the variable field",
         kGs1,
         "(10)AB12(17)250131",
         true,
         'B',
         {104, 102, 17, 16, 33, 34, 99, 12, 102, 17, 25, 1, 31, 89}},
        {"GTIN check digit 4 appended, check always", kGs1, "(01)0491234567890", false, 'C', {}},
        {"GTIN check digit 4 appended",
         kGs1,
         "(01)0491234567890",
         true,
         'C',
         {105, 102, 1, 4, 91, 23, 45, 67, 89, 4, 24}},
        {"payment code, check digit 3 appended",
         kGs1,
         "(91)91234501234567890123456789010103310123000",
         true,
         'C',
         {105, 102, 91, 91, 23, 45, 1,  23, 45, 67, 89, 1, 23,
          45,  67,  89, 1,  1,  3,  31, 1,  23, 0,  3,  79}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestJob t(kSymbologyCode128, row.code, row.checkDigit ? kCheckDigitOn | 1 : 1);
        t.job.m_nCode128Form = row.form;
        t.job.m_szCode128Start[0] = 'A';  // the fixed form's set plays no part
        const bool drawn = t.Run();
        if (row.symbols.empty()) {  // GS1 without the CD box: a field one digit short
            EXPECT_FALSE(drawn);
            EXPECT_EQ(t.host.messages,
                      std::vector<std::string>{FormatText(str::kGs1FixedLength, "01", 14, 13)});
            continue;
        }
        ASSERT_TRUE(drawn);
        Code128Encoding enc;
        std::string error;
        ASSERT_TRUE(EncodeCode128Form(t.job, enc, error));
        EXPECT_EQ(enc.symbols, row.symbols);
        EXPECT_EQ(enc.start, row.start);
        EXPECT_EQ(t.job.m_strStatus.rfind(std::string("スタートコード：") + row.start, 0), 0u);
        EXPECT_EQ(t.LastExport().width, 22 + 11 * static_cast<int>(row.symbols.size()) + 13);
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);  // nothing appended to the member
    }
}

// The caption of these forms is centred on the bars; one wider than the bars widens the
// drawing by the difference, split left and right, and is not cut: W = 2 + 2 * margin +
// max(bars, caption). The payment code's two rows of 22 digits lie below the bars and make
// the drawing as high as they need.
TEST(Code128Forms, CaptionCentredAndNeverCut) {
    const struct Row {
        std::string code;
        int position;
        int bars;           // pixels at unit 1
        int caption;        // pixels: 8 a character
        int captionBottom;  // H: the rows' bottom when lower than the margin's
    } rows[] = {
        {"(01)04912345678904(10)ABC123", 1, 11 * 19 + 13, 28 * 8, 80},
        {"(01)04912345678904(10)ABC123", 2, 11 * 19 + 13, 28 * 8, 80},
        {"(91)912345012345678901234567890101033101230003", 2, 11 * 25 + 13, 22 * 8, 20 + 40 + 32},
        {"(10)A", 1, 11 * 6 + 13, 5 * 8, 80},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code + " at " + std::to_string(row.position));
        TestJob t(kSymbologyCode128, row.code, kCheckDigitOn | 1);
        t.job.m_nCode128Form = kCode128FormGs1;
        t.job.m_nTextPosition = row.position;
        ASSERT_TRUE(t.Run());
        const ExportImage& img = t.LastExport();
        const int wide = std::max(row.bars, row.caption);
        EXPECT_EQ(img.width, 22 + wide);
        EXPECT_EQ(img.height, row.captionBottom);
        // Bars centred in the widened space, the quiet zones at least the margins.
        const int barsAt = 12 + (wide - row.bars) / 2;
        EXPECT_EQ(RowBits(img, 40, 0, barsAt + 2), std::string(barsAt, '0') + "11");
        EXPECT_EQ(RowBits(img, 40, barsAt + row.bars - 2, img.width),
                  "11" + std::string(img.width - barsAt - row.bars, '0'));
        // Every caption pixel lies over the bars' span or the widening, none in the margins.
        int left = img.width, right = 0;
        for (int y = 0; y < img.height; ++y) {
            if (y >= 20 && y < 60) continue;
            for (int x = 0; x < img.width; ++x) {
                if (img.At(x, y)) left = std::min(left, x), right = std::max(right, x);
            }
        }
        EXPECT_GE(left, 12);
        EXPECT_LT(right, 12 + wide);
        EXPECT_LE(std::abs((left - 12) - (12 + wide - 1 - right)), 2);  // centred, the font's own
    }
}

#if !defined(_WIN32)
// The symbols zint needs for the same data (its row of modules: 11 a symbol, start and check
// included, and 13 for the stop, which ends in a bar), or -1.
int ZintSymbols(const std::string& barcode, const std::string& data) {
    const std::vector<std::string> rows = ZintRows(barcode, data, true);
    if (rows.empty()) return -1;
    const int modules = static_cast<int>(rows[0].find_last_of('1') + 1);
    return modules >= 35 && (modules - 13) % 11 == 0 ? (modules - 13) / 11 : -1;
}

// The shortest path never needs more symbols than an independent generator's encoding.
TEST(Code128Forms, NeverMoreSymbolsThanZint) {
    std::mt19937 random(20261209);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const std::string digits = "0123456789", upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                      lower = "abcdefghijklmnopqrstuvwxyz", controls = "\t\r\x1B",
                      other = " !#$%&*+-./:;<=>?@[]^_`{|}~";
    // Runs of a kind, as real codes have them.
    auto runs = [&](std::vector<std::string> kinds, int length) {
        std::string out;
        while (static_cast<int>(out.size()) < length) {
            const std::string& chars =
                kinds[static_cast<std::size_t>(pick(0, int(kinds.size()) - 1))];
            for (int run = pick(1, 6); run > 0 && static_cast<int>(out.size()) < length; --run) {
                out += chars[static_cast<std::size_t>(pick(0, int(chars.size()) - 1))];
            }
        }
        return out;
    };
    int fewer = 0;
    for (int i = 0; i < 160; ++i) {
        const bool gs1 = i % 4 == 3;
        std::string code, zintData;
        if (gs1) {
            code = "(10)" + runs({digits, upper}, pick(1, 12)) + "(11)241231(21)" +
                   runs({digits, lower}, pick(1, 12));
            zintData = code;
            for (char& c : zintData) c = c == '(' ? '[' : c == ')' ? ']' : c;
        } else {
            code = runs({digits, upper, lower, controls, other}, pick(1, 30));
            for (unsigned char c : code) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\x%02X", c);
                zintData += c < 0x20 || c == '\\' ? std::string(esc) : std::string(1, char(c));
            }
        }
        SCOPED_TRACE(code);
        TestJob t(kSymbologyCode128, code, kCheckDigitOn | 1);
        t.job.m_nCode128Form = gs1 ? kCode128FormGs1 : kCode128FormAuto;
        Code128Encoding enc;
        std::string error;
        ASSERT_TRUE(EncodeCode128Form(t.job, enc, error)) << error;
        const int theirs = ZintSymbols(gs1 ? "GS1_128" : "CODE128", zintData);
        ASSERT_GT(theirs, 0) << "zint is needed: tools/install-deps.sh installs it";
        EXPECT_LE(static_cast<int>(enc.symbols.size()), theirs);
        fewer += static_cast<int>(enc.symbols.size()) < theirs;
    }
    std::printf("%d of 160 in fewer symbols than zint\n", fewer);
}
#endif

}  // namespace
}  // namespace diduzozoz::test
