// Round trip: NW-7 barcodes drawn by the core read back by an independent reader.
#include <gtest/gtest.h>

#include "core/Decode.h"
#include "core/TestHost.h"

namespace diduzozoz::test {
namespace {

struct Nw7Case {
    std::string code;
    char start, stop;
    int optionWord;
    std::string expected;  // with start and stop letters
};

TEST(Nw7Decode, RoundTripTable) {
    const Nw7Case cases[] = {
        {"12", 'A', 'A', 0x01, "A12A"},
        {"0123456789", 'B', 'D', 0x01, "B0123456789D"},
        {"-$:/.+", 'C', 'C', 0x01, "C-$:/.+C"},
        {"12", 'A', 'A', 0x11, "A125A"},  // modulus 10 / weight 2
        {"490123456789", 'A', 'B', 0x12, "A4901234567894B"},
        {"123457", 'D', 'A', 0x13, "D1234579A"},          // modulus 11
        {"37859", 'A', 'B', 0x14, "A37859+B"},            // modulus 16
        {"12", 'A', 'A', 0x15, "A125A"},                  // 7 check DR
        {"6", 'B', 'B', 0x16, "B61B"},                    // weighted modulus 11, second row
        {"7992739871", 'C', 'D', 0x17, "C79927398713D"},  // Luhn
    };
    for (const Nw7Case& c : cases) {
        for (int unit = 1; unit <= 3; ++unit) {
            SCOPED_TRACE(c.expected + " unit " + std::to_string(unit));
            TestJob t(kSymbologyNw7, c.code, c.optionWord);
            t.job.m_szNW7Start[0] = c.start;
            t.job.m_szNW7Stop[0] = c.stop;
            t.job.m_nLineUnit = unit;
            t.job.m_nMarginX = 10 * unit + 10;  // a quiet zone of ten modules
            ASSERT_TRUE(t.Run());
            const Decoded d = DecodeImage(t.LastExport(), ZXing::BarcodeFormat::Codabar);
            ASSERT_TRUE(d.valid);
            EXPECT_EQ(d.text, c.expected);
        }
    }
}

}  // namespace
}  // namespace diduzozoz::test
