// Our reader held to ZXing-C++: on thousands of drawings of random settings, standard or not,
// both read the same format and bytes, or both read nothing. The short JAN and the interleaved
// ITF forms also drawn module for module as zint draws the same data; CODE128's automatic and
// GS1-128 forms too, where random GS1 data from the AI table must read back as meant.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "ZintDump.h"
#include "core/TestHost.h"
#include "verify/OwnReader.h"
#include "verify/Verify.h"
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

// zint's modules for the data, from the first bar to the last ("" when it cannot be run).
std::string ZintModules(const char* type, const std::string& digits) {
    const std::vector<std::string> rows = ZintRows(type, digits);
    if (rows.empty()) return {};
    return rows[0].substr(0, rows[0].find_last_of('1') + 1);
}

// The modules of row y from the first bar to the last, each run of pixels in whole units; the
// runs of a frame's sides and the quiet zones inside them left out.
std::string DrawnModules(const ExportImage& image, int y, int unit, bool framed) {
    std::vector<std::pair<int, int>> runs;  // colour, pixels
    for (int x = 0; x < image.width; ++x) {
        const int c = image.At(x, y);
        if (runs.empty() || runs.back().first != c) runs.push_back({c, 0});
        ++runs.back().second;
    }
    std::size_t from = runs.front().first ? 0 : 1;  // the white at either end, if any
    std::size_t to = runs.back().first ? runs.size() : runs.size() - 1;
    if (framed) from += 2, to -= 2;  // a side and the quiet zone inside it
    if (to <= from || to > runs.size()) return {};
    std::string bits;
    for (std::size_t i = from; i < to; ++i) {
        bits +=
            std::string(static_cast<std::size_t>(runs[i].second / unit), runs[i].first ? '1' : '0');
    }
    return bits;
}

TEST(ReaderAgreement, ShortJanAndInterleavedFormsAsZintDrawsThem) {
    struct Form {
        int symbology, form;
        int minLength, maxLength;
        const char* zint;  // zint's type; ITF-14 and EAN-8 take the digits before the check digit
    };
    const Form forms[] = {
        {kSymbologyJan, kJanForm8, 7, 7, "EANX"},
        {kSymbologyItf, kItfFormInterleaved, 0, 30, "C25INTER"},
        {kSymbologyItf, kItfForm14, 13, 13, "ITF14"},
    };
    std::mt19937 random(27);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    int read = 0;
    for (int i = 0; i < 600; ++i) {
        const Form& f = forms[i % std::size(forms)];
        std::string code;
        for (int k = pick(f.minLength, f.maxLength); k > 0; --k) code += char('0' + pick(0, 9));
        // Now and then without the check digit: interleaved ITF as typed, the others fail.
        TestJob t(f.symbology, code, pick(0, 5) ? kCheckDigitOn | 1 : 1);
        *t.job.FormOf(f.symbology) = f.form;
        t.job.m_nLineUnit = pick(1, 3);
        t.job.m_nMarginX = pick(0, 50);
        t.job.m_nMarginY = pick(0, 50);
        t.job.m_nBarHeight = pick(0, 3) == 0 ? pick(kMinBarHeight, 10) : pick(11, 120);
        t.job.m_nTextPosition = pick(0, 2);
        if (!t.Run()) continue;
        const verify::Meant meant = verify::MeantOf(t.job);
        const std::string trace = "form " + std::to_string(f.form) + " code '" + code + "' unit " +
                                  std::to_string(t.job.m_nLineUnit) + " margin " +
                                  std::to_string(t.job.m_nMarginX) + " height " +
                                  std::to_string(t.job.m_nBarHeight);
        verify::ReadRequest request;
        request.symbology = f.symbology;
        const verify::ReadResult ours = verify::OwnReader().Read(t.LastExport(), request);
        const verify::ReadResult theirs = verify::ZxingReader().Read(t.LastExport(), request);
        ASSERT_EQ(Shown(ours), Shown(theirs)) << trace;
        // Read as meant wherever readers can: enough rows, quiet zones and digits.
        const bool framed = f.form == kItfForm14;
        const bool quiet = framed || t.job.m_nMarginX >= 10 * t.job.m_nLineUnit;
        if (t.job.m_nBarHeight > 4 && quiet && meant.text.size() >= 6) {
            ++read;
            ASSERT_EQ(Shown(theirs),
                      std::string(f.symbology == kSymbologyJan ? "EAN-8 " : "ITF ") + meant.text)
                << trace;
        }
        // The bars' last row: the trim lines take the first two.
        if (!framed && t.job.m_nBarHeight <= 2) continue;
        const int bearer = framed ? 5 * t.job.m_nLineUnit : 0;
        const int y = t.job.m_nMarginY + bearer + t.job.m_nBarHeight - 1;
        const std::string zintData =
            f.zint[0] == 'C' ? meant.text : meant.text.substr(0, meant.text.size() - 1);
        ASSERT_EQ(DrawnModules(t.LastExport(), y, t.job.m_nLineUnit, framed),
                  ZintModules(f.zint, zintData))
            << trace;
    }
    EXPECT_GT(read, 300);
}

// GS1 data of 1 to 3 fields from the AI table: digits of fixed length (the check digit left
// to the CD box), GS1's characters of variable length, now and then the payment code.
std::string Gs1Fields(std::mt19937& random) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const std::string digits = "0123456789";
    const std::string x =
        "!\"%&'*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
    auto draw = [&](const std::string& from, int n) {
        std::string d;
        while (n-- > 0) d += from[static_cast<std::size_t>(pick(0, int(from.size()) - 1))];
        return d;
    };
    const struct {
        const char* ai;  // with the start of its data, where that is fixed
        bool digitsOnly;
        int lo, hi;
    } fields[] = {{"(00)", true, 17, 17}, {"(01)", true, 13, 13},  {"(10)", false, 1, 8},
                  {"(17)", true, 6, 6},   {"(21)", false, 1, 6},   {"(3103)", true, 6, 6},
                  {"(37)", true, 1, 4},   {"(414)", true, 12, 12}, {"(421)392", false, 1, 4},
                  {"(95)", false, 1, 6}};
    if (pick(0, 7) == 0) return "(91)" + draw(digits, 41);
    std::string out;
    for (int n = pick(1, 3); n > 0; --n) {
        const auto& f = fields[pick(0, std::size(fields) - 1)];
        out += f.ai + draw(f.digitsOnly ? digits : x, pick(f.lo, f.hi));
    }
    return out;
}

TEST(ReaderAgreement, Code128FormsReadAsMeant) {
    std::mt19937 random(20261209);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const std::string text = "0123456789012345678901234567890123456789AZaz_~ \t\r\x1B\x7F\x80";
    const verify::Readers both{&verify::ZxingReader(), &verify::OwnReader()};
    int drawn = 0, gs1Read = 0;
    for (int i = 0; i < 2000; ++i) {
        const bool gs1 = i % 2 == 1;
        std::string code;
        if (gs1) {
            code = Gs1Fields(random);
        } else {
            for (int k = pick(1, 30); k > 0; --k) {
                code += text[static_cast<std::size_t>(pick(0, static_cast<int>(text.size()) - 1))];
            }
        }
        const bool check = gs1 || pick(0, 5) != 0;
        TestJob t(kSymbologyCode128, code, check ? kCheckDigitOn | 1 : 1);
        t.job.m_nCode128Form = gs1 ? kCode128FormGs1 : kCode128FormAuto;
        t.job.m_nLineUnit = pick(1, 3);
        t.job.m_nMarginX = pick(0, 50);
        t.job.m_nBarHeight = pick(0, 3) == 0 ? pick(kMinBarHeight, 10) : pick(11, 120);
        t.job.m_nTextPosition = pick(0, 2);
        if (!t.Run()) continue;  // GS1 data over 48 characters
        ++drawn;
        const verify::Meant meant = verify::MeantOf(t.job);
        verify::ReadRequest request;
        request.symbology = kSymbologyCode128;
        const verify::ReadResult ours = verify::OwnReader().Read(t.LastExport(), request);
        const verify::ReadResult theirs = verify::ZxingReader().Read(t.LastExport(), request);
        ASSERT_EQ(Shown(ours), Shown(theirs)) << "code '" << code << "' check " << check;
        // Without its check character the last data symbol can pass for one: not standard.
        if (!check || theirs.status != verify::ReadResult::Status::kRead) continue;
        const verify::Verdict v = verify::Verify(t.LastExport(), meant, both);
        ASSERT_FALSE(v.Has(verify::Reason::kWrongFormat) || v.Has(verify::Reason::kTextDiffers) ||
                     v.Has(verify::Reason::kGs1Data))
            << "code '" << code << "' read " << Shown(theirs);
        gs1Read += gs1;
    }
    EXPECT_GT(drawn, 1800);
    EXPECT_GT(gs1Read, 700);
    std::printf("%d drawings, %d GS1-128 read back as meant\n", drawn, gs1Read);
}

}  // namespace
}  // namespace diduzozoz::test
