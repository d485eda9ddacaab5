// GS1 data as typed: the element string it carries, check digits appended or named when
// wrong, and every kind of bad input refused with a message that names what is wrong.
#include <gtest/gtest.h>

#include "base/Strings.h"
#include "symbology/Gs1.h"

namespace diduzozoz::test {
namespace {

const std::string kPayment41 = "91234501234567890123456789010103310123000";

// Check digits from the GS1 General Specifications' examples (SSCC 106141411234567897, GTIN
// 6291041500213) and GS1 Japan's (GTIN 4912345678904, the payment code ending in 3); lengths,
// characters and separators from the AI table (3.2), character set 82 (7.11) and the 48
// characters of GS1-128 (5.4).
TEST(Gs1, TypedTextAndItsRefusals) {
    const struct Row {
        std::string typed;
        bool appendCheckDigits;
        std::string elements;  // what a reader reports; empty when refused
        std::string message;
    } rows[] = {
        {"(00)10614141123456789", true, "00106141411234567897", ""},
        {"(00)106141411234567897", false, "00106141411234567897", ""},
        {"(01)0629104150021", true, "0106291041500213", ""},
        {"(02)0491234567890", true, "0204912345678904", ""},
        {"(414)491234567890", true, "4144912345678904", ""},
        {"[01]04912345678904[10]AB(C)", true, "010491234567890410AB(C)", ""},
        {"(10)A\\(1\\)(21)X", true,
         "10A(1)\x1D"
         "21X",
         ""},
        {"(3103)001250(37)12(420)123-4567", true,
         "3103001250"
         "3712\x1D"
         "420123-4567",
         ""},
        {"(421)392123", true, "421392123", ""},
        {"(91)" + kPayment41, false, "91" + kPayment41, ""},  // plain AI (91) data
        {"(91)" + kPayment41 + "3", false, "91" + kPayment41 + "3", ""},
        // A wrong check digit is named with the right one, whatever the CD box says.
        {"(00)106141411234567896", true, "", FormatText(str::kGs1CheckDigit, "00", '6', '7')},
        {"(01)04912345678905", false, "", FormatText(str::kGs1CheckDigit, "01", '5', '4')},
        {"(91)" + kPayment41 + "8", true, "", FormatText(str::kGs1PaymentCheckDigit, '8', '3')},
        {"(01)0491234567890", false, "", FormatText(str::kGs1FixedLength, "01", 14, 13)},
        {"(01)049123456789", true, "", FormatText(str::kGs1FixedLength, "01", 14, 12)},
        {"", true, "", str::kGs1Syntax},
        {"01)04912345678904", true, "", str::kGs1Syntax},
        {"(01", true, "", FormatText(str::kGs1Unbalanced, 1)},
        {"(10)AB)C", true, "", FormatText(str::kGs1Unbalanced, 7)},
        {"(10)AB(21", true, "", FormatText(str::kGs1Unbalanced, 7)},
        {"(10)A()1", true, "", FormatText(str::kGs1EmptyAi, 6)},
        {"(01)(10)A", true, "", FormatText(str::kGs1NoData, "01")},
        {"(23)1", true, "", FormatText(str::kGs1UnknownAi, "23")},
        {"(3106)123456", true, "", FormatText(str::kGs1UnknownAi, "3106")},
        {"(1A)1", true, "", FormatText(str::kGs1UnknownAi, "1A")},
        {"(10)" + std::string(21, 'X'), true, "", FormatText(str::kGs1MaxLength, "10", 20, 21)},
        {"(421)39", true, "", FormatText(str::kGs1LengthRange, "421", 4, 12, 2)},
        {"(11)24A231", true, "", FormatText(str::kGs1Digits, "11", 7, "A")},
        {"(421)3X2123", true, "", FormatText(str::kGs1DigitPrefix, "421", 3, 7, "X")},
        {"(10)AB C", true, "", FormatText(str::kGs1Charset, "10", " ")},
        {"(10)AB#", true, "", FormatText(str::kGs1Charset, "10", "#")},
        {"(10)１２", true, "", FormatText(str::kGs1Charset, "10", "１")},
        {"(10)A\tB", true, "", FormatText(str::kGs1Charset, "10", "␉")},
        // 48 characters at most: AIs, data and the FNC1 between fields.
        {"(10)" + std::string(20, 'A') + "(21)" + std::string(20, 'B') + "(30)1", true, "",
         FormatText(str::kGs1TooLong, 49)},
        {"(10)" + std::string(20, 'A') + "(21)" + std::string(20, 'B') + "(20)1", true, "",
         FormatText(str::kGs1FixedLength, "20", 2, 1)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        std::string error;
        const std::optional<Gs1Data> d = ParseGs1(row.typed, row.appendCheckDigits, error);
        EXPECT_EQ(error, row.message);
        EXPECT_EQ(d ? Gs1ElementString(*d) : std::string(), row.elements);
        if (!d) continue;
        // What a reader reports reads back as the same GS1 data.
        const std::optional<Gs1Data> back = CheckGs1ElementString(row.elements, error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(Gs1ElementString(*back), row.elements);
        EXPECT_EQ(back->paymentCode, d->paymentCode);
    }
}

TEST(Gs1, PaymentCode) {
    std::string error;
    const auto completed = ParseGs1("(91)" + kPayment41, true, error);
    ASSERT_TRUE(completed) << error;
    EXPECT_TRUE(completed->paymentCode);
    EXPECT_EQ(Gs1ElementString(*completed), "91" + kPayment41 + "3");
    const auto plain = ParseGs1("(91)" + kPayment41, false, error);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->paymentCode);
    // With other fields it is no payment code, and no digit is added.
    const auto mixed = ParseGs1("(10)A(91)" + kPayment41, true, error);
    ASSERT_TRUE(mixed);
    EXPECT_FALSE(mixed->paymentCode);
}

}  // namespace
}  // namespace diduzozoz::test
