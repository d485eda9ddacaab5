// NW-7 encoding: lookups, module sequences and the geometry of the exported image.
#include <gtest/gtest.h>

#include "base/Strings.h"
#include "core/TestHost.h"
#include "symbology/Nw7.h"

namespace diduzozoz::test {
namespace {

TEST(Nw7, LookupsCoverTheSetAndNothingElse) {
    EXPECT_EQ(Nw7CharIndex('0'), 0);
    EXPECT_EQ(Nw7CharIndex('+'), 15);
    EXPECT_EQ(Nw7CharIndex('D'), 19);
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool inSet = std::string_view(kNw7CharSet).find(c) != std::string_view::npos;
        EXPECT_EQ(Nw7CharIndex(c) >= 0, inSet) << b;
    }
    EXPECT_EQ(Nw7CharIndex(0), -1);
    EXPECT_EQ(Nw7CharAt(13), '/');
    EXPECT_EQ(Nw7CharAt(20), static_cast<char>(0xFF));
    EXPECT_EQ(Nw7CharAt(-1), static_cast<char>(0xFF));
}

// The worked example: start A, stop A, code 12, start settings.
TEST(Nw7, A12AExample) {
    TestJob t(kSymbologyNw7, "12");
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(t.job.m_strStatus, "データ[　A12A　]の形で作成しました");
    const ExportImage& img = t.LastExport();
    EXPECT_EQ(img.width, 63);
    EXPECT_EQ(img.height, 80);
    const std::string expected =
        std::string("10110010010") + "1010110010" + "1010010110" + "10110010010";
    EXPECT_EQ(ModulesAt(img, 40, 12, 1, 42), expected);
    // Columns 0-1 and rows 0-1 are white; the bars start at column 12.
    for (int y = 0; y < img.height; ++y) EXPECT_EQ(img.At(0, y) + img.At(1, y), 0);
    for (int x = 0; x < img.width; ++x) EXPECT_EQ(img.At(x, 0) + img.At(x, 1), 0);
    EXPECT_EQ(RowBits(img, 40, 0, 13), "0000000000001");
    EXPECT_EQ(t.host.repaints, 2);  // the cleared canvas, then the drawing
    EXPECT_EQ(std::string(t.job.m_szCode), "12");
}

struct GeometryRow {
    const char* what;
    std::string code;
    int unit;
    char start, stop;
    std::string dataText;
    int modules;
    int width;
};

TEST(Nw7, GeometryTable) {
    const GeometryRow rows[] = {
        {"empty code draws AA", "", 1, 'A', 'A', "AA", 22, 43},
        {"unit 2", "12", 2, 'A', 'A', "A12A", 42, 104},
        {"unit 3", "12", 3, 'A', 'A', "A12A", 42, 21 + 3 * 42 - 2},
        {"letters inside the code", "A1234B", 1, 'A', 'A', "AA1234BA", 11 * 4 + 10 * 4, 21 + 84},
        {"start B stop D", "5", 1, 'B', 'D', "B5D", 32, 53},
    };
    for (const GeometryRow& row : rows) {
        SCOPED_TRACE(row.what);
        TestJob t(kSymbologyNw7, row.code);
        t.job.m_nLineUnit = row.unit;
        t.job.m_szNW7Start[0] = row.start;
        t.job.m_szNW7Stop[0] = row.stop;
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(std::string(t.job.m_szDataText), row.dataText);
        const ExportImage& img = t.LastExport();
        // xEnd = 12 + unit * (modules - 1); W = xEnd + 10.
        EXPECT_EQ(img.width, 12 + row.unit * (row.modules - 1) + 10);
        if (row.unit == 1 || row.unit == 2) {
            EXPECT_EQ(img.width, row.width);
        }
    }
}

TEST(Nw7, Unit2ModulesAreTwoPixelsFromTheirCentre) {
    TestJob t(kSymbologyNw7, "12");
    t.job.m_nLineUnit = 2;
    ASSERT_TRUE(t.Run());
    const ExportImage& img = t.LastExport();
    // "A" = 1011001001 0: first bar module at x 12..13, space at 14..15, bar 16..19.
    EXPECT_EQ(RowBits(img, 40, 10, 22), "001100111100");
    // 84 pixels of modules from x = 12: the last bar at 92..93, the closing space at 94..95,
    // then the margin up to W = 104.
    EXPECT_EQ(img.width, 104);
    EXPECT_EQ(RowBits(img, 40, 90, 104), "00110000000000");
}

TEST(Nw7, CheckCharacterIsDrawnAndNeverOutlivesTheRun) {
    TestJob t(kSymbologyNw7, "12", kCheckDigitOn | 1);
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(t.job.m_strStatus, "データ[　A125A　]の形で作成しました");
    EXPECT_EQ(std::string(t.job.m_szCode), "12");
    ASSERT_TRUE(t.Run());  // a second run appends again from the restored code
    EXPECT_EQ(std::string(t.job.m_szDataText), "A125A");
}

}  // namespace
}  // namespace diduzozoz::test
