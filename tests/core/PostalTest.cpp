// Postal customer barcode: check values, the bar sequence read back against the published
// character table, bar rows, fixed geometry and the check symbol of earlier runs; the address
// forms against Japan Post's own examples.
#include <gtest/gtest.h>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "core/TestHost.h"
#include "symbology/Postal.h"
#include "symbology/PostalAddress.h"

namespace diduzozoz::test {
namespace {

constexpr int kOn = kCheckDigitOn | 1;

// The Japan Post customer barcode character table as published, in its usual notation:
// 1 long bar, 2 ascender (upper and middle), 3 descender (middle and lower), 4 timing bar.
const char* const kPublished[19] = {
    "144", "114", "132", "312", "123", "141", "321", "213", "231", "411",  // 0-9
    "414",                                                                 // hyphen
    "324", "342", "234", "432", "243", "423", "441", "111",                // CC1-CC8
};
const char kPublishedStart[] = "13";
const char kPublishedStop[] = "31";

std::string PublishedDigits(const std::string& digits) {
    std::string out;
    for (char c : digits) out += kPublished[c - '0'];
    return out;
}

// Expected bars of a postal code, a reference number and a check value (-1: none).
std::string PublishedBars(const std::string& code, const std::string& ref, int check) {
    std::string out = kPublishedStart + PublishedDigits(code) + PublishedDigits(ref);
    for (std::size_t p = ref.size(); p < 13; ++p) out += kPublished[14];  // CC4
    if (check >= 0) out += kPublished[check];
    return out + kPublishedStop;
}

// Reads the bars of an export back in the published notation: one bar every 4 pixels from
// x = 20, its three sections sampled in their middle rows; both columns of a bar must agree
// and the two gap columns must be white.
std::string ReadBars(const ExportImage& img, int barHeight) {
    const int f = barHeight / 10;
    std::string out;
    for (int x = 20; x + 4 <= img.width; x += 4) {
        int bits = 0;
        for (int s = 1; s <= 3; ++s) {
            const int y = 20 + s * f + f / 2;
            if (img.At(x, y) != img.At(x + 1, y) || img.At(x + 2, y) || img.At(x + 3, y)) {
                return out + "?";
            }
            bits = bits * 2 + img.At(x, y);
        }
        switch (bits) {
            case 0b111:
                out += '1';
                break;
            case 0b110:
                out += '2';
                break;
            case 0b011:
                out += '3';
                break;
            case 0b010:
                out += '4';
                break;
            default:
                return out + "?";
        }
    }
    return out;
}

struct PostalJob : TestJob {
    PostalJob(const std::string& code, const std::string& ref, int optionWord)
        : TestJob(kSymbologyPostal, code, optionWord) {
        host.refNoCombo = ref;
        CopyText(job.m_szRefNo, ref);
    }
};

TEST(Postal, CheckValuesAndBarSequences) {
    struct Row {
        const char* what;
        std::string code, ref;
        int check;
    } rows[] = {
        {"28 + 13 x 14 = 210, 19 - 1", "1234567", "", 18},
        {"28 + 3 + 11 x 14 = 185, 19 - 14", "1234567", "12", 5},
        {"27 + 182 = 209 = 11 x 19", "1234566", "", 0},
        {"13 digits, no CC4", "1234567", "1234567890123", 16},
        {"check value 10, the hyphen", "9876543", "2109", 10},
        {"zeros", "0000000", "0", 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PostalJob t(row.code, row.ref, kOn);
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.job.m_nPostalCheck, row.check);
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.width, 288);
        EXPECT_EQ(img.height, 80);
        const std::string bars = ReadBars(img, 40);
        EXPECT_EQ(bars.size(), 67u);
        EXPECT_EQ(bars, PublishedBars(row.code, row.ref, row.check));
        // Neither member is changed by the run.
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);
        EXPECT_EQ(std::string(t.job.m_szRefNo), row.ref);
    }
}

// Each kind at the start height 40 (f = 4), pen width 2: both columns of the bar, then two
// white gap columns.
TEST(Postal, RowsOfEachBarKind) {
    struct Row {
        const char* kind;
        int upper, middle, lower;
        int first, last;
    } rows[] = {
        {"long", 1, 1, 1, 24, 35},
        {"ascender", 1, 1, 0, 24, 31},
        {"descender", 0, 1, 1, 28, 35},
        {"timing", 0, 1, 0, 28, 31},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        TestJob t(kSymbologyPostal);
        EXPECT_EQ(DrawPostalBar(t.job, row.upper, row.middle, row.lower, 100, 20), 104);
        std::string expected(60, '0');
        for (int y = row.first; y <= row.last; ++y) expected[y] = '1';
        EXPECT_EQ(CanvasColumn(t.job.m_canvas, 100, 0, 60), expected);
        EXPECT_EQ(CanvasColumn(t.job.m_canvas, 101, 0, 60), expected);
        for (int x : {99, 102, 103}) {
            EXPECT_EQ(CanvasColumn(t.job.m_canvas, x, 0, 60), std::string(60, '0'));
        }
    }
}

TEST(Postal, SectionHeightFollowsTheBarHeight) {
    struct Row {
        int height, f;
    } rows[] = {{20, 2}, {25, 2}, {29, 2}, {40, 4}, {150, 15}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.height);
        PostalJob t("1234567", "", kOn);
        t.job.m_nBarHeight = row.height;
        ASSERT_TRUE(t.Run());
        const ExportImage& img = t.LastExport();
        EXPECT_EQ(img.height, row.height + 40);
        // The start symbol's long bar covers the three sections at x = 20.
        std::string expected(img.height, '0');
        for (int y = 20 + row.f; y < 20 + 4 * row.f; ++y) expected[y] = '1';
        EXPECT_EQ(CanvasColumn(t.job.m_canvas, 20, 0, img.height), expected);
        EXPECT_EQ(ReadBars(img, row.height), PublishedBars("1234567", "", 18));
    }
}

TEST(Postal, LineUnitAndHorizontalMarginChangeNothing) {
    PostalJob base("1234567", "12", kOn);
    base.job.m_nTextPosition = 1;
    ASSERT_TRUE(base.Run());
    PostalJob other("1234567", "12", kOn);
    other.job.m_nTextPosition = 1;
    other.job.m_nLineUnit = 3;
    other.job.m_nMarginX = 50;
    ASSERT_TRUE(other.Run());
    EXPECT_EQ(other.LastExport().width, base.LastExport().width);
    EXPECT_EQ(other.LastExport().pixels, base.LastExport().pixels);
}

TEST(Postal, DataTextStatusAndCaption) {
    PostalJob t("1234567", "", kOn);
    t.job.m_nTextPosition = 1;
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(std::string(t.job.m_szDataText), "1234567 - ");
    EXPECT_EQ(t.job.m_strStatus, "データ[　1234567 - 　]の形で作成しました");
    EXPECT_EQ(t.host.repaints, 2);  // the cleared canvas, then the drawing
    // The caption starts at x = 40 below the bars (y = 60); nothing lies left of it.
    const ExportImage& img = t.LastExport();
    int leftmost = img.width;
    for (int y = 60; y < 76; ++y) {
        for (int x = 0; x < img.width; ++x) {
            if (img.At(x, y)) leftmost = std::min(leftmost, x);
        }
    }
    EXPECT_GE(leftmost, 40);
    EXPECT_LT(leftmost, 48);  // within the first character cell
    // Nothing but the caption is drawn outside the bar area: no margin or trim lines.
    int outside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < img.width; ++x) {
            const bool barArea = y >= 20 && y < 40 && x >= 20;
            if (!barArea) outside += img.At(x, y);
        }
    }
    EXPECT_EQ(outside, 0);
}

// A check value belongs to the data it was computed from: a run with the option off never
// draws one left over from an earlier run.
TEST(Postal, RunWithoutCheckDrawsNoCheckSymbol) {
    PostalJob t("1234567", "", kOn);
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(t.job.m_nPostalCheck, 18);
    EXPECT_EQ(t.LastExport().width, 288);

    for (int optionWord : {0x01, kCheckDigitOn | 2}) {
        SCOPED_TRACE(optionWord);
        t.job.m_nCdPostal = optionWord;
        t.SetCode("7654321");
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.LastExport().width, 276);
        const std::string bars = ReadBars(t.LastExport(), 40);
        EXPECT_EQ(bars.size(), 64u);
        EXPECT_EQ(bars, PublishedBars("7654321", "", -1));
    }
    // The same holds before any run computed a value.
    PostalJob first("1234567", "", 0x01);
    ASSERT_TRUE(first.Run());
    EXPECT_EQ(first.LastExport().width, 276);
}

// A data area as Japan Post's manual writes it: digits, "-", and control codes as "CC1" to
// "CC8"; blanks only for reading. Its bars, filled with CC4 to 20 symbols, with the check.
std::string PublishedBarsOf(std::string_view written, int check) {
    std::vector<int> values;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written.compare(i, 2, "CC") == 0) {
            values.push_back(10 + (written[i + 2] - '0'));
            i += 2;
        } else if (written[i] != ' ') {
            values.push_back(written[i] == '-' ? 10 : written[i] - '0');
        }
    }
    while (values.size() < 20) values.push_back(14);
    std::string out = kPublishedStart;
    for (int v : values) out += kPublished[v];
    return out + kPublished[check] + kPublishedStop;
}

// Addresses after the town name, the address number Japan Post's rules take from them and
// the check character. The examples are the manual's (郵便番号・バーコードマニュアル,
// バーコードに必要な文字情報の抜き出し法, and the test addresses Japan Post lists with their
// numbers), the data areas as it prints them, the check values summed by hand (the sums beside
// them; zint agrees on every row that fits 20 symbols). Rows without a postcode are the
// list's addresses whose postcode it does not give: their number only.
TEST(Postal, AddressFormsTakeJapanPostsNumbersAndChecks) {
    const int kAddress = kPostalFormAddress, kNumber = kPostalFormAddressNumber;
    struct Row {
        const char* what;
        int form;
        std::string postcode, text, number;
        std::string data;  // before the CC4 fill
        int check;
        std::string notes = "";
    } rows[] = {
        {"manual: 5 + 44 + 4 x 14 = 105, check 9 as printed", kAddress, "100-0013",
         "1丁目3番2号 郵便プラザ503室", "1-3-2-503", "1000013 1-3-2-503", 9},
        {"manual: 16 + 51 + 42 = 109", kAddress, "263-0023", "3丁目30-8 郵便ビル403号",
         "3-30-8-403", "2630023 3-30-8-403", 5},
        {"kanji numerals before 丁目, 番地, 号: 5 + 46 + 42 = 93", kAddress, "1000013",
         "十一丁目六番地一号 郵便タワー601", "11-6-1-601", "1000013 11-6-1-601", 2},
        {"single letters, hyphens beside them dropped: 13 + 55 + 42 = 110", kAddress, "623-0011",
         "6-7 LプラザB106", "6-7LB106", "6230011 6-7 CC21 CC11 106", 4},
        {"manual: ABC and the floor 2F left out: 21 + 50 + 70 = 141", kAddress, "317-0055",
         "6丁目7-14 ABCビル2F", "6-7-14-2", "3170055 6-7-14-2", 11},
        {"manual: cut after the 20th symbol, a hyphen: 22 + 70 = 92", kAddress, "064-0804",
         "29丁目1524-23 第2郵便ハウス501", "29-1524-23-2-501", "0640804 29-1524-23-2-", 3},
        {"manual: B's CC1 is the 20th symbol and loses its digit: 23 + 82 = 105", kAddress,
         "910-0067", "3丁目80-25 J1ビル2-B", "3-80-25J1-2B", "9100067 3-80-25 CC19 1-2 CC1", 9},
        {"list: 21 + 20 + 10 x 14 = 181", kAddress, "060-0906", "4丁目 郵便センター6号館", "4-6",
         "0600906 4-6", 9},
        {"list: 10F is a floor: 9 + 45 + 70 = 124", kAddress, "110-0016", "5-6-3 ABCビル10F",
         "5-6-3-10", "1100016 5-6-3-10", 9},
        {"list", kAddress, "", "南田茂木 添60-1", "60-1", "", -1},
        {"list", kAddress, "", "韮崎400", "400", "", -1},
        {"list: & and ・ deleted, so A&b is a run of letters", kAddress, "",
         "東3丁目-20-5 郵便・A&bコーポB604号", "3-20-5B604", "", -1},
        {"no digit: the postcode alone, 5 + 13 x 14 = 187", kAddress, "100-0013", "郵便プラザ", "",
         "1000013", 3, str::kPostalNoteNoNumber},
        {"representative postcode: 1 + 23 + 112 = 136", kAddress, "100-0000", "1丁目1番1号",
         "1-1-1", "1000000 1-1-1", 16, str::kPostalNoteRepresentative},
        {"every letter's code, typed in lower case too: 28 + 95 + 14 = 137", kNumber, "1234567",
         "ajKTuz", "AJKTUZ", "1234567 CC10 CC19 CC20 CC29 CC30 CC35", 15},
        {"cut after 13 positions: 28 + 58 = 86", kNumber, "1234567", "1234567890-1234",
         "1234567890-1234", "1234567 1234567890-12", 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.check < 0) {
            EXPECT_EQ(ExtractAddressNumber(row.text), row.number);
            continue;
        }
        PostalJob t(row.postcode, "", kOn);
        t.job.m_nPostalForm = row.form;
        t.host.refNoCombo = row.text;
        CopyText(t.job.m_szAddress, row.text);
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.job.m_strStatus, "データ[　" + row.data.substr(0, 7) + " - " + row.number +
                                         "　]の形で作成しました" + row.notes);
        EXPECT_EQ(t.job.m_nPostalCheck, row.check);
        EXPECT_EQ(t.LastExport().width, 288);
        EXPECT_EQ(ReadBars(t.LastExport(), 40), PublishedBarsOf(row.data, row.check));
    }
}

// What the address-number form refuses, with the field restored as the digits form does; a
// postcode is 7 digits, with or without its hyphen.
TEST(Postal, AddressFormsRefuseWhatIsNoAddressNumberOrPostcode) {
    struct Row {
        int form;
        std::string postcode, text;
        const char* message;
    } rows[] = {
        {kPostalFormAddressNumber, "2630023", "3-30-8 403", str::kAddressNumberChars},
        {kPostalFormAddressNumber, "2630023", "３-30", str::kAddressNumberChars},
        {kPostalFormAddress, "2630-023", "3丁目", str::kDigitsOnly},
        {kPostalFormAddress, "263-002", "3丁目", str::kPostalLength},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.postcode + " " + row.text);
        PostalJob t(row.postcode, "", kOn);
        t.job.m_nPostalForm = row.form;
        t.host.refNoCombo = "1-2";
        CopyText(t.job.m_szAddress, row.text);
        EXPECT_FALSE(t.Run());
        EXPECT_EQ(t.host.messages, std::vector<std::string>{row.message});
        EXPECT_TRUE(t.host.exports.empty());
        if (row.message == str::kAddressNumberChars) {
            EXPECT_STREQ(t.job.m_szAddress, "1-2");
        }
    }
}

TEST(Postal, SymbolsOutsideTheTableDrawNothing) {
    TestJob t(kSymbologyPostal);
    EXPECT_EQ(DrawPostalSymbol(t.job, kPostalStart, 20, 20), 28);
    EXPECT_EQ(DrawPostalSymbol(t.job, kPostalCC8, 28, 20), 40);
    EXPECT_EQ(DrawPostalSymbol(t.job, -1, 40, 20), 40);
    EXPECT_EQ(DrawPostalSymbol(t.job, kPostalSymbolCount, 40, 20), 40);
    EXPECT_EQ(CanvasRow(t.job.m_canvas, 30, 40, 60), std::string(20, '0'));
}

}  // namespace
}  // namespace diduzozoz::test
