// The Create command: order of the checks, their messages, what is restored afterwards, and
// that a refused run draws nothing and hands nothing over.
#include <gtest/gtest.h>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "core/TestHost.h"
#include "symbology/Code128.h"

namespace diduzozoz::test {
namespace {

TEST(CreateBarcode, NoTypeChosenWritesTheStatusOnly) {
    TestJob t(kSymbologyNone, "12");
    t.job.m_strStatus = "earlier";
    EXPECT_FALSE(t.Run());
    EXPECT_EQ(t.job.m_strStatus, str::kChooseType);
    EXPECT_EQ(t.host.statuses, std::vector<std::string>{str::kChooseType});
    EXPECT_TRUE(t.host.messages.empty());
    EXPECT_TRUE(t.host.exports.empty());
}

TEST(CreateBarcode, PatternZeroIsRefusedForEveryType) {
    for (int type = kSymbologyNw7; type <= kSymbologyPostal; ++type) {
        TestJob t(type, "1234567", kCheckDigitOn);  // check digit on, no pattern
        t.job.m_strStatus = "earlier";
        EXPECT_FALSE(t.Run()) << type;
        EXPECT_EQ(t.host.messages, std::vector<std::string>{str::kChoosePattern}) << type;
        EXPECT_EQ(t.job.m_strStatus, "earlier") << type;  // message boxes leave the status
    }
}

struct RefusalRow {
    int type;
    std::string code;
    std::string refNo;
    char code128Start;
    std::string message;
    bool restoresCode;  // "then restore" rather than "end"
    int form = 0;
    int optionWord = 0x01;
};

constexpr int kOn = kCheckDigitOn | 1;

// One row per check, in the order the Create command makes them. m_szCode holds the text
// under test while the combo holds another, so a restore is visible.
TEST(CreateBarcode, ContentCheckTable) {
    const RefusalRow rows[] = {
        {kSymbologyNw7, "12E4", "", 'A', str::kNw7Code, true},
        {kSymbologyNw7, "１２", "", 'A', str::kNw7Code, true},  // full-width digits
        {kSymbologyCode39, "abc", "", 'A', str::kCode39Code, true},
        {kSymbologyCode39, "AB\xC3\x84", "", 'A', str::kCode39Code, true},
        {kSymbologyJan, "12345678901X", "", 'A', str::kDigitsOnly, true},  // digits before length
        {kSymbologyJan, "4901234567894", "", 'A', str::kJanLength, false},
        {kSymbologyJan, "12345", "", 'A', str::kJanLength, false},
        {kSymbologyItf, "12S4", "", 'A', str::kDigitsOnly, true},
        {kSymbologyItf, "E", "", 'A', str::kDigitsOnly, true},
        // The short JAN and ITF-14 always carry their right check digit: appended to 7 (13)
        // digits, or typed as the 8th (14th), also where the box is ticked with a pattern
        // that appends nothing.
        {kSymbologyJan, "490123A", "", 'A', str::kDigitsOnly, true, kJanForm8, kOn},
        {kSymbologyJan, "49012347", "", 'A', str::kJan8Length, false, kJanForm8, kOn},
        {kSymbologyJan, "4901234", "", 'A', str::kJan8LengthWithCd, false, kJanForm8},
        {kSymbologyJan, "4901234", "", 'A', str::kJan8LengthWithCd, false, kJanForm8, 0x12},
        {kSymbologyJan, "49012340", "", 'A',
         "短縮JANコードのチェックデジットが違います（正しくは7）", false, kJanForm8},
        {kSymbologyItf, "12S4", "", 'A', str::kDigitsOnly, true, kItfFormInterleaved},
        {kSymbologyItf, "149012345678X", "", 'A', str::kDigitsOnly, true, kItfForm14, kOn},
        {kSymbologyItf, "14901234567891", "", 'A', str::kItf14Length, false, kItfForm14, kOn},
        {kSymbologyItf, "1490123456789", "", 'A', str::kItf14LengthWithCd, false, kItfForm14},
        {kSymbologyItf, "14901234567890", "", 'A',
         "ITF-14のチェックデジットが違います（正しくは1）", false, kItfForm14},
        {kSymbologyCode128, "abc", "", 'A', str::kCode128SetA, true},
        {kSymbologyCode128, "A\tB", "", 'A', str::kCode128SetA, true},
        {kSymbologyCode128, "\x7F", "", 'B', str::kCode128SetB, true},
        {kSymbologyCode128, "\xE3\x81\x82", "", 'B', str::kCode128SetB, true},
        {kSymbologyCode128, "12A4", "", 'C', str::kCode128SetC, true},
        {kSymbologyPostal, "123456X", "12", 'A', str::kDigitsOnly, true},
        {kSymbologyPostal, "123456", "12A", 'A', str::kDigitsOnly,
         false},  // code digits pass, ref fails
        {kSymbologyPostal, "123456", "12", 'A', str::kPostalLength, false},
        {kSymbologyPostal, "12345678", "", 'A', str::kPostalLength, false},
        {kSymbologyPostal, "1234567", "12345678901234", 'A', str::kRefNoLength, false},
    };
    for (const RefusalRow& row : rows) {
        SCOPED_TRACE("type " + std::to_string(row.type) + " code " + row.code + " ref " +
                     row.refNo);
        TestJob t(row.type, "COMBO", row.optionWord);
        if (int* form = t.job.FormOf(row.type)) *form = row.form;
        CopyText(t.job.m_szCode, row.code);
        CopyText(t.job.m_szRefNo, row.refNo);
        t.host.refNoCombo = row.refNo;
        t.job.m_szCode128Start[0] = row.code128Start;
        t.job.m_strStatus = "earlier";
        EXPECT_FALSE(t.Run());
        EXPECT_EQ(t.host.messages, std::vector<std::string>{row.message});
        EXPECT_EQ(std::string(t.job.m_szCode), row.restoresCode ? "COMBO" : row.code);
        EXPECT_EQ(t.job.m_strStatus, "earlier");
        EXPECT_TRUE(t.host.exports.empty());
        EXPECT_TRUE(CanvasIsWhite(t.job.m_canvas));
        EXPECT_EQ(t.host.repaints, 1);  // the white canvas is shown, not the last drawing
    }
}

TEST(CreateBarcode, FailedReferenceNumberIsReloadedFromItsCombo) {
    TestJob t(kSymbologyPostal, "1234567");
    CopyText(t.job.m_szRefNo, "9X");
    t.host.refNoCombo = "42";
    EXPECT_FALSE(t.Run());
    EXPECT_EQ(std::string(t.job.m_szRefNo), "42");
}

TEST(CreateBarcode, AcceptedInputsOfEveryType) {
    struct Row {
        int type;
        std::string code;
        std::string refNo;
        char start;
    } rows[] = {
        {kSymbologyNw7, "", "", 'A'},
        {kSymbologyNw7, "A1234B", "", 'A'},
        {kSymbologyCode39, "", "", 'A'},
        {kSymbologyCode39, "CODE 39-$/+%.*", "", 'A'},
        {kSymbologyJan, "490123456789", "", 'A'},
        {kSymbologyItf, "", "", 'A'},
        {kSymbologyItf, "12345", "", 'A'},
        {kSymbologyCode128, "AZ_ ", "", 'A'},
        {kSymbologyCode128, "abc~", "", 'B'},
        {kSymbologyCode128, "", "", 'C'},
        {kSymbologyPostal, "1234567", "", 'A'},
        {kSymbologyPostal, "1234567", "1234567890123", 'A'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        TestJob t(row.type, row.code);
        CopyText(t.job.m_szRefNo, row.refNo);
        t.job.m_szCode128Start[0] = row.start;
        t.Run();
        EXPECT_TRUE(t.host.messages.empty());
        EXPECT_EQ(std::string(t.job.m_szCode), row.code);  // equals the combo after the run
    }
}

TEST(CreateBarcode, SetCFillDigitLastsForTheRunOnly) {
    TestJob t(kSymbologyCode128, "12345");
    t.job.m_szCode128Start[0] = 'C';
    ASSERT_EQ(CheckCode128Content(t.job), CheckOutcome::kPassed);
    EXPECT_EQ(std::string(t.job.m_szCode), "123450");
    t.SetCode("12345");
    t.Run();
    EXPECT_EQ(std::string(t.job.m_szCode), "12345");
    // An even count gets no fill digit.
    t.SetCode("1234");
    ASSERT_EQ(CheckCode128Content(t.job), CheckOutcome::kPassed);
    EXPECT_EQ(std::string(t.job.m_szCode), "1234");
}

// Settings that only callers other than the dialog can make.
TEST(CreateBarcode, UndrawableSettingsAreRefusedBeforeDrawing) {
    struct Row {
        const char* what;
        void (*set)(BarcodeJob&);
        const char* message;
    } rows[] = {
        {"unit 0", [](BarcodeJob& j) { j.m_nLineUnit = 0; }, str::kGeometryRange},
        {"unit 1000", [](BarcodeJob& j) { j.m_nLineUnit = 1000; }, str::kGeometryRange},
        {"height 0", [](BarcodeJob& j) { j.m_nBarHeight = 0; }, str::kGeometryRange},
        {"negative margin", [](BarcodeJob& j) { j.m_nMarginX = -1; }, str::kGeometryRange},
        {"huge margin", [](BarcodeJob& j) { j.m_nMarginY = 1 << 30; }, str::kGeometryRange},
        {"start letter E", [](BarcodeJob& j) { j.m_szNW7Start[0] = 'E'; }, str::kStartStopLetter},
        {"stop letter 0", [](BarcodeJob& j) { j.m_szNW7Stop[0] = '0'; }, str::kStartStopLetter},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TestJob t(kSymbologyNw7, "12");
        row.set(t.job);
        EXPECT_FALSE(t.Run());
        EXPECT_EQ(t.host.messages, std::vector<std::string>{row.message});
        EXPECT_TRUE(CanvasIsWhite(t.job.m_canvas));
        EXPECT_EQ(t.host.repaints, 1);
        EXPECT_EQ(std::string(t.job.m_szCode), "12");
    }
    TestJob t(kSymbologyCode128, "12");
    t.job.m_szCode128Start[0] = 'D';
    EXPECT_FALSE(t.Run());
    EXPECT_EQ(t.host.messages, std::vector<std::string>{str::kStartStopLetter});
}

TEST(CreateBarcode, CodeLongerThanTheLimitIsRefusedNotCut) {
    const std::string longCode(kMaxCodeBytes + 1, '1');
    TestJob t(kSymbologyNw7, longCode, kCheckDigitOn | 1);
    EXPECT_FALSE(t.Run());
    EXPECT_EQ(t.host.messages, std::vector<std::string>{str::kCodeTooLong});
    // The longest accepted code keeps room for its check character.
    TestJob ok(kSymbologyNw7, std::string(kMaxCodeBytes, '1'), kCheckDigitOn | 1);
    EXPECT_TRUE(ok.Run());
    EXPECT_EQ(TextLength(ok.job.m_szDataText), static_cast<std::size_t>(kMaxCodeBytes + 3));
}

TEST(CreateBarcode, EveryRunStartsFromAWhiteCanvas) {
    TestJob t(kSymbologyNw7, "12");
    ASSERT_TRUE(t.Run());
    EXPECT_FALSE(CanvasIsWhite(t.job.m_canvas));
    t.SetCode("1X");
    EXPECT_FALSE(t.Run());
    EXPECT_TRUE(CanvasIsWhite(t.job.m_canvas));
    EXPECT_EQ(t.host.exports.size(), 1u);  // the refused run handed nothing over
}

}  // namespace
}  // namespace diduzozoz::test
