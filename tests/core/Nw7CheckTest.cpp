// The seven NW-7 check-digit schemes: worked examples, refusals and their order.
#include <gtest/gtest.h>

#include "base/Strings.h"
#include "core/TestHost.h"
#include "symbology/Nw7.h"

namespace diduzozoz::test {
namespace {

struct SchemeCase {
    const char* source;  // where the expected value comes from
    std::string code;
    int pattern;
    char start, stop;
    std::string appended;  // "" when nothing is appended
    std::string message;   // "" when no message
};

// Runs only the check-digit step, so each scheme is seen on its own.
std::string Appended(TestJob& t) {
    const std::string before = t.job.m_szCode;
    Nw7CheckDigit(t.job);
    return std::string(t.job.m_szCode).substr(before.size());
}

TEST(Nw7Check, SchemeTable) {
    const std::string digitMsg = str::kCdDigitsOnly;
    const SchemeCase cases[] = {
        {"worked example", "12", 1, 'A', 'A', "5", ""},
        {"worked example", "12", 2, 'A', 'A', "3", ""},
        {"too short for modulus 11", "12", 3, 'A', 'A', "", str::kCdMod11Length},
        {"16+1+2+16 = 35, value 13", "12", 4, 'A', 'A', "/", ""},
        {"worked example", "12", 5, 'A', 'A', "5", ""},
        {"worked example", "12", 6, 'A', 'A', "1", ""},
        {"worked example", "12", 7, 'A', 'A', "5", ""},
        {"sum a multiple of 10", "24", 1, 'A', 'A', "0", ""},
        {"sum a multiple of 10", "19", 7, 'A', 'A', "0", ""},
        {"sum 32, a multiple of 16", "0", 4, 'A', 'A', "0", ""},
        {"start A stop B", "37859", 4, 'A', 'B', "+", ""},
        {"published Luhn example", "7992739871", 7, 'A', 'A', "3", ""},
        {"EAN-13 of 490123456789", "490123456789", 2, 'A', 'A', "4", ""},
        {"modulus 11", "123457", 3, 'A', 'A', "9", ""},
        {"only the first six count", "1234570", 3, 'A', 'A', "9", ""},
        {"R1 = 1, second row R2 = 10", "6", 6, 'A', 'A', "1", ""},
        // Empty code: sums of nothing.
        {"empty", "", 1, 'A', 'A', "0", ""},
        {"empty", "", 2, 'A', 'A', "0", ""},
        {"empty", "", 3, 'A', 'A', "", str::kCdMod11Length},
        {"empty: 16 + 16 = 32", "", 4, 'A', 'A', "0", ""},
        {"empty", "", 5, 'A', 'A', "0", ""},
        {"empty", "", 6, 'A', 'A', "0", ""},
        {"empty", "", 7, 'A', 'A', "0", ""},
        // Non-digits of NW-7's set: every scheme but modulus 16 refuses.
        {"non-digit", "123-456", 1, 'A', 'A', "", digitMsg},
        {"non-digit", "123-456", 2, 'A', 'A', "", digitMsg},
        {"non-digit", "123-456", 3, 'A', 'A', "", digitMsg},
        {"non-digit, modulus 16 sums it: 63 -> 1", "123-456", 4, 'A', 'A', "1", ""},
        {"non-digit", "123-456", 5, 'A', 'A', "", digitMsg},
        {"non-digit", "123-456", 6, 'A', 'A', "", str::kCdWeightedMod11Digits},
        {"non-digit", "123-456", 7, 'A', 'A', "", digitMsg},
        {"short and non-digit: length first", "1A", 3, 'A', 'A', "", str::kCdMod11Length},
        {"13 digits", "1234567890123", 6, 'A', 'A', "", str::kCdWeightedMod11Length},
        {"13 with a letter: length first", "123456789012A", 6, 'A', 'A', "",
         str::kCdWeightedMod11Length},
        // Mended: remainders without a digit of their own give 0, never ";" or ":".
        {"modulus 11, 7 + 4 = 11, R = 0", "100002", 3, 'A', 'A', "0", ""},
        {"modulus 11, 7 + 16 = 23, R = 1", "100008", 3, 'A', 'A', "0", ""},
        {"weighted, 12 digits, R1 = 1, R2 = 0", "123456789012", 6, 'A', 'A', "0", ""},
        // 7DR beyond a 32-bit integer: the whole number's remainder.
        {"2^31 = 2147483648, mod 7 = 2", "2147483648", 5, 'A', 'A', "2", ""},
        {"10^20 mod 7 = 2", "100000000000000000000", 5, 'A', 'A', "2", ""},
    };
    for (const SchemeCase& c : cases) {
        SCOPED_TRACE(std::string(c.source) + ": " + c.code + " pattern " +
                     std::to_string(c.pattern));
        TestJob t(kSymbologyNw7, c.code, kCheckDigitOn | c.pattern);
        t.job.m_szNW7Start[0] = c.start;
        t.job.m_szNW7Stop[0] = c.stop;
        EXPECT_EQ(Appended(t), c.appended);
        if (c.message.empty()) {
            EXPECT_TRUE(t.host.messages.empty());
        } else {
            ASSERT_EQ(t.host.messages.size(), 1u);
            EXPECT_EQ(t.host.messages[0], c.message);
        }
    }
}

TEST(Nw7Check, OffOrUnknownPatternDoesNothing) {
    for (int word : {0x01, 0x07, 0x10, 0x18, 0x1F}) {
        TestJob t(kSymbologyNw7, "12", word);
        EXPECT_EQ(Appended(t), "") << word;
        EXPECT_TRUE(t.host.messages.empty());
    }
}

TEST(Nw7Check, RefusedCheckStillDrawsTheBarcodeWithoutIt) {
    TestJob t(kSymbologyNw7, "12-3", kCheckDigitOn | 1);
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(t.host.messages, std::vector<std::string>{str::kCdDigitsOnly});
    EXPECT_EQ(std::string(t.job.m_szDataText), "A12-3A");
    EXPECT_EQ(t.job.m_strStatus, "データ[　A12-3A　]の形で作成しました");
}

}  // namespace
}  // namespace diduzozoz::test
