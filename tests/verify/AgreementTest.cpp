// Our reader held to ZXing-C++: on thousands of drawings of random settings, standard or not,
// both read the same format and bytes, or both read nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "core/TestHost.h"
#include "verify/OwnReader.h"
#include "verify/ZxingReader.h"

namespace diduzozoz::test {
namespace {

struct Type {
    int symbology;
    const char* chars;    // what the data is drawn from
    const char* unusual;  // sometimes mixed in: characters that make the symbol non-standard
    int minLength, maxLength;
};

// clang-format off
constexpr Type kTypes[] = {
    {kSymbologyNw7,     "0123456789-$:/.+",                     "ABCD", 1, 20},
    {kSymbologyCode39,  "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", "*", 1, 20},
    {kSymbologyJan,     "0123456789",                           "",     12, 12},
    {kSymbologyCode128, " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_"
                        "`abcdefghijklmnopqrstuvwxyz{|}~",      "",     1, 24},
};
// clang-format on

std::string Shown(const verify::ReadResult& r) {
    if (r.status != verify::ReadResult::Status::kRead) return "(nothing)";
    std::string out = r.format + " ";
    for (unsigned char c : r.bytes) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x" + std::to_string(c);
        }
    }
    return out;
}

TEST(ReaderAgreement, OwnReaderReadsWhatZxingReads) {
    std::mt19937 random(20261208);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    int drawn = 0, read = 0, leadingZeros = 0;
    for (int i = 0; i < 6000; ++i) {
        const Type& type = kTypes[i % std::size(kTypes)];
        const std::string chars = type.chars;
        std::string code;
        const int length = pick(type.minLength, type.maxLength);
        const bool unusual = *type.unusual && pick(0, 9) == 0;
        for (int k = 0; k < length; ++k) {
            code +=
                unusual && pick(0, 3) == 0
                    ? type.unusual[pick(0, static_cast<int>(std::strlen(type.unusual)) - 1)]
                    : chars[static_cast<std::size_t>(pick(0, static_cast<int>(chars.size()) - 1))];
        }
        if (type.symbology == kSymbologyJan && pick(0, 2) == 0) code[0] = '0';
        if (type.symbology == kSymbologyCode128 && pick(0, 2) == 0) {
            // Set C's digits, and set A's upper case, as a user of those sets types them.
            for (char& c : code) c = pick(0, 1) ? static_cast<char>('0' + pick(0, 9)) : c;
        }
        const bool check = pick(0, 5) != 0;  // now and then without, as users leave it off
        TestJob t(type.symbology, code, check ? kCheckDigitOn | 1 : 1);
        t.job.m_nLineUnit = pick(1, 3);
        t.job.m_nMarginX = pick(0, 50);
        t.job.m_nMarginY = pick(0, 50);
        t.job.m_nBarHeight = pick(0, 3) == 0 ? pick(kMinBarHeight, 10) : pick(11, 120);
        t.job.m_nTextPosition = pick(0, 2);
        t.job.m_szNW7Start[0] = static_cast<char>('A' + pick(0, 3));
        t.job.m_szNW7Stop[0] = static_cast<char>('A' + pick(0, 3));
        t.job.m_szCode128Start[0] = static_cast<char>('A' + pick(0, 2));
        if (!t.Run() || t.host.exports.empty()) continue;  // refused, as the dialog would
        ++drawn;
        const verify::Meant meant = verify::MeantOf(t.job);
        verify::ReadRequest request;
        request.symbology = type.symbology;
        request.code39Check = type.symbology == kSymbologyCode39 && meant.checkCharacter;
        const verify::ReadResult ours = verify::OwnReader().Read(t.LastExport(), request);
        const verify::ReadResult theirs = verify::ZxingReader().Read(t.LastExport(), request);
        if (theirs.status == verify::ReadResult::Status::kRead) {
            ++read;
            leadingZeros += type.symbology == kSymbologyJan && theirs.bytes[0] == '0';
        }
        ASSERT_EQ(Shown(ours), Shown(theirs))
            << "type " << type.symbology << " code '" << code << "' check " << check << " unit "
            << t.job.m_nLineUnit << " margin " << t.job.m_nMarginX << " height "
            << t.job.m_nBarHeight << " caption " << t.job.m_nTextPosition << " start "
            << t.job.m_szNW7Start[0] << t.job.m_szCode128Start[0];
    }
    // The draw must have held what it is meant to hold: mostly symbols that read, JAN codes
    // beginning with 0 among them.
    EXPECT_GT(drawn, 4500);
    EXPECT_GT(read, drawn / 2);
    EXPECT_GT(leadingZeros, 300);
    std::printf("%d drawings, %d read, %d JAN codes beginning with 0\n", drawn, read, leadingZeros);
}

}  // namespace
}  // namespace diduzozoz::test
