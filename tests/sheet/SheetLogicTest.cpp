// The sheet's logic without a PDF or a process: serial runs, and the built-in layouts'
// geometry against the label sheets they name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "sheet/Layout.h"
#include "sheet/Serial.h"

namespace diduzozoz::sheet {
namespace {

struct SerialCase {
    const char* first;
    std::int64_t count;
    std::vector<std::string> expected;  // first codes, then the last; empty: refused
    const char* error;                  // part of the refusal
};

TEST(Serial, CountsTheLastRunOfDigitsWithItsWidthKept) {
    const SerialCase cases[] = {
        {"A000123B", 3, {"A000123B", "A000124B", "A000125B"}, ""},
        {"490123400099", 2, {"490123400099", "490123400100"}, ""},
        {"12-0998", 3, {"12-0998", "12-0999", "12-1000"}, ""},  // only the last run counts
        {"7", 3, {"7", "8", "9"}, ""},
        {"00", 100, {"00", "01", "99"}, ""},  // the whole width, and the last at the end
        {"A998B", 3, {}, "runs past its 3 digits (the last would be number 1000)"},
        {"99", 2, {}, "the last would be number 100"},
        {"ABC", 1, {}, "'ABC' has no digits to count up"},
        {"", 1, {}, "no digits"},
    };
    for (const SerialCase& c : cases) {
        SCOPED_TRACE(c.first);
        std::string error;
        const std::optional<SerialRun> run = SerialRun::Make(c.first, c.count, error);
        if (c.expected.empty()) {
            EXPECT_FALSE(run);
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(run) << error;
        EXPECT_EQ(run->Count(), c.count);
        for (std::size_t i = 0; i + 1 < c.expected.size(); ++i) {
            EXPECT_EQ(run->At(static_cast<std::int64_t>(i)), c.expected[i]);
        }
        EXPECT_EQ(run->At(c.count - 1), c.expected.back());
    }
}

// GS1 data counts in the data, never in an AI; a check digit that was typed is worked out anew
// for every code (GS1 General Specifications 7.9.1), one left to the CD box stays left out; a
// payment code counts its biller's free field (digits 9 to 29 of 44).
TEST(Serial, Gs1DataCountsBeforeItsCheckDigit) {
    const std::string payment = "(91)912345012345678901234567890";
    const struct {
        std::string first;
        std::int64_t count;
        std::vector<std::string> expected;  // empty: refused
        const char* error;
    } cases[] = {
        {"(01)04912345678904",
         3,
         {"(01)04912345678904", "(01)04912345678911", "(01)04912345678928"},
         ""},
        {"(01)0491234567890", 2, {"(01)0491234567890", "(01)0491234567891"}, ""},
        {"(01)04912345678904(21)A0099",
         2,
         {"(01)04912345678904(21)A0099", "(01)04912345678904(21)A0100"},
         ""},
        {"(10)AB(21)CD", 1, {}, "has no digits"},  // AIs are no serial numbers
        {payment + "10103310123000" + "3",
         3,
         {payment + "10103310123000" + "3",
          "(91)912345012345678901234567891"
          "10103310123000"
          "0",
          "(91)912345012345678901234567892"
          "10103310123000"
          "7"},
         ""},
        {payment + "10103310123000",
         2,
         {payment + "10103310123000",
          "(91)912345012345678901234567891"
          "10103310123000"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        std::string error;
        const std::optional<SerialRun> run = SerialRun::Make(c.first, c.count, error, true);
        if (c.expected.empty()) {
            EXPECT_FALSE(run);
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(run) << error;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(run->At(static_cast<std::int64_t>(i)), c.expected[i]);
        }
    }
}

// Each built-in layout's grid fills its page symmetrically with the labels it is named for,
// and at 600 dpi every label's rectangle has the label's size to within a dot.
TEST(Layouts, BuiltInGridsAreCentredAndExact) {
    struct Expected {
        const char* name;
        int columns, rows;
        Micrometres width, height;
    };
    const Expected expected[] = {
        {"a4-3x8", 3, 8, 70000, 37000},
        {"a4-4x11", 4, 11, 48300, 25400},
        {"a4-2x6", 2, 6, 86400, 42300},
    };
    ASSERT_EQ(BuiltInLayouts().size(), std::size(expected));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        std::string error;
        const Layout l = ParseLayout(e.name, error);
        ASSERT_EQ(error, "");
        EXPECT_EQ(l.pageWidth, 210000);
        EXPECT_EQ(l.pageHeight, 297000);
        EXPECT_EQ(l.columns, e.columns);
        EXPECT_EQ(l.rows, e.rows);
        EXPECT_EQ(l.labelWidth, e.width);
        EXPECT_EQ(l.labelHeight, e.height);
        const Micrometres right = l.pageWidth - (l.left + (l.columns - 1) * l.pitchX + e.width);
        const Micrometres bottom = l.pageHeight - (l.top + (l.rows - 1) * l.pitchY + e.height);
        EXPECT_EQ(l.left, right);
        EXPECT_EQ(l.top, bottom);
        // The same layout written out in the custom form.
        const std::string custom = "210x297:" + std::to_string(l.columns) + "x" +
                                   std::to_string(l.rows) + ":" + MillimetreText(e.width) + "x" +
                                   MillimetreText(e.height);
        EXPECT_EQ(ParseLayout(custom, error), l) << custom;
        EXPECT_EQ(error, "");
        for (int i = 0; i < l.Labels(); ++i) {
            const DotRect r = LabelDots(l, i, 600);
            EXPECT_LE(std::abs(r.width * 25400 - e.width * 600), 25400);
            EXPECT_LE(std::abs(r.height * 25400 - e.height * 600), 25400);
        }
    }
}

}  // namespace
}  // namespace diduzozoz::sheet
