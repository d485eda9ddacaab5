// The verdict on exported images: standard symbols read back as meant at every line unit,
// every non-standard drawing named with its reason, the postal read-back against the worked
// examples and against every single changed bar, and images without bars.
#include <gtest/gtest.h>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "core/TestHost.h"
#include "symbology/Postal.h"
#include "verify/BuiltReaders.h"
#include "verify/OwnReader.h"
#include "verify/Verify.h"

namespace diduzozoz::test {
namespace {

using verify::Outcome;
using verify::Reason;

constexpr int kOn = kCheckDigitOn | 1;

struct Drawing {
    int symbology;
    std::string code;
    int optionWord = 0x01;
    char start = 'A';  // NW-7 start letter or CODE128 set
    char stop = 'A';
    int unit = 1;
    int marginX = 10;
    int form = 0;
};

struct Drawn {
    ExportImage image;
    verify::Meant meant;
};

Drawn Draw(const Drawing& d, const std::string& ref = "") {
    TestJob t(d.symbology, d.code, d.optionWord);
    if (d.symbology == kSymbologyCode128) {
        t.job.m_szCode128Start[0] = d.start;
    } else {
        t.job.m_szNW7Start[0] = d.start;
        t.job.m_szNW7Stop[0] = d.stop;
    }
    t.job.m_nLineUnit = d.unit;
    t.job.m_nMarginX = d.marginX;
    if (int* form = t.job.FormOf(d.symbology)) *form = d.form;
    t.job.m_nTextPosition = 1;  // the caption must not be taken for bars
    t.host.refNoCombo = ref;
    CopyPostalRef(t.job, ref);
    EXPECT_TRUE(t.Run()) << d.code;
    if (t.host.exports.empty()) return {};
    return {t.LastExport(), verify::MeantOf(t.job)};
}

// The build's readers: where it has ZXing-C++, every row also holds ours to it.
const verify::Readers kBuilt = verify::BuiltReaders();

verify::Verdict Check(const Drawn& d) {
    return verify::Verify(d.image, d.meant, kBuilt);
}

std::vector<Reason> Reasons(const verify::Verdict& v) {
    std::vector<Reason> out;
    for (const verify::Finding& f : v.findings) out.push_back(f.reason);
    return out;
}

TEST(Verify, StandardSymbolsReadAsMeantAtEveryUnit) {
    struct Row {
        Drawing drawing;
        const char* format;
        std::string text;  // as the reader reports it
    };
    const Row rows[] = {
        {{kSymbologyNw7, "12", kOn}, "CODABAR", "A125A"},
        {{kSymbologyNw7, "0123456789-$:/.+", 0x01, 'B', 'D'}, "CODABAR", "B0123456789-$:/.+D"},
        {{kSymbologyCode39, "CODE39", kOn}, "CODE39", "CODE39"},  // check character verified
        {{kSymbologyCode39, "A-. $/+%"}, "CODE39", "A-. $/+%"},
        {{kSymbologyJan, "490123456789", kOn}, "EAN-13", "4901234567894"},
        // ZXing-C++ reports it as the UPC-A symbol it also is.
        {{kSymbologyJan, "074810479771", kOn}, "EAN-13", "0748104797715"},
        {{kSymbologyCode128, " @", kOn, 'A'}, "CODE128", " @"},  // check value 64: set A's NUL
        {{kSymbologyCode128, "ABC", kOn, 'B'}, "CODE128", "ABC"},
        {{kSymbologyCode128, "~", kOn, 'B'}, "CODE128", "~"},       // check value 95: DEL
        {{kSymbologyCode128, "123", kOn, 'C'}, "CODE128", "1230"},  // fill digit
        {{kSymbologyCode128, "98", kOn, 'C'}, "CODE128", "98"},     // check pair ":0"
        {{kSymbologyJan, "4901234", kOn, 'A', 'A', 1, 10, kJanForm8}, "EAN-8", "49012347"},
        {{kSymbologyItf, "12345", kOn, 'A', 'A', 1, 10, kItfFormInterleaved}, "ITF", "123457"},
        {{kSymbologyItf, "1234567", 0x01, 'A', 'A', 1, 10, kItfFormInterleaved}, "ITF", "01234567"},
        // Its quiet zones lie inside the frame, whatever the margin outside.
        {{kSymbologyItf, "1490123456789", kOn, 'A', 'A', 1, 10, kItfForm14},
         "ITF",
         "14901234567891"},
    };
    for (const Row& row : rows) {
        for (int unit = 1; unit <= 3; ++unit) {
            SCOPED_TRACE(row.text + " unit " + std::to_string(unit));
            Drawing d = row.drawing;
            d.unit = unit;
            d.marginX = 11 * unit;  // quiet zones of at least 11 modules on both sides
            const verify::Verdict v = Check(Draw(d));
            EXPECT_EQ(v.outcome, Outcome::kOk);
            EXPECT_TRUE(v.findings.empty());
            EXPECT_EQ(v.format, row.format);
            EXPECT_EQ(v.text, row.text);
            EXPECT_EQ(v.reader, kBuilt.Name());
        }
    }
    const verify::Verdict v = Check(Draw(rows[0].drawing));
    EXPECT_EQ(verify::VerdictText(v), "読取確認：OK（CODABAR A125A）");
}

TEST(Verify, NonStandardDrawingsAreNamed) {
    struct Row {
        Drawing drawing;
        std::vector<Reason> reasons;
        const char* text;  // the dialog's line, where one row shows it
    };
    const Row rows[] = {
        {{kSymbologyItf, "1234", kOn},
         {Reason::kItfNotInterleaved, Reason::kNotRead},
         "読取確認：読めません — 規格外のITF（非インターリーブ）"},
        {{kSymbologyJan, "490123456789"}, {Reason::kJanNoCheckDigit, Reason::kNotRead}, nullptr},
        {{kSymbologyCode128, "ABC", 0x01, 'B'},
         {Reason::kCode128NoCheck, Reason::kNotRead},
         nullptr},
        {{kSymbologyCode39, "A*B"}, {Reason::kCode39AsteriskInData, Reason::kNotRead}, nullptr},
        {{kSymbologyNw7, "1A2"}, {Reason::kNw7LetterInData, Reason::kNotRead}, nullptr},
        // Readers take interleaved 2 of 5 from 6 digits on.
        {{kSymbologyItf, "123", kOn, 'A', 'A', 1, 10, kItfFormInterleaved},
         {Reason::kItfTooShort, Reason::kNotRead},
         "読取確認：読めません — 4桁のITF（多くの読取機は6桁未満を読みません）"},
        // Read as meant, but without the white a scanner needs around the bars.
        {{kSymbologyNw7, "12", 0x01, 'A', 'A', 2, 10},
         {Reason::kQuietZoneLeft, Reason::kQuietZoneRight},
         "読取確認：規格外 — 左の余白 6 モジュール（必要 10）、右の余白 5 モジュール（必要 10）"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.drawing.code);
        const verify::Verdict v = Check(Draw(row.drawing));
        EXPECT_EQ(v.outcome, Outcome::kFail);
        EXPECT_EQ(Reasons(v), row.reasons);
        if (row.text) {
            EXPECT_EQ(verify::VerdictText(v), row.text);
        }
    }
}

TEST(Verify, QuietZonesAreMeasuredInModules) {
    struct Row {
        Drawing drawing;
        double left, needLeft, right, needRight;  // modules; 0 where the side is wide enough
    };
    const Row rows[] = {
        {{kSymbologyJan, "490123456789", kOn, 'A', 'A', 1, 5}, 7, 11, 5, 7},
        {{kSymbologyJan, "490123456789", kOn, 'A', 'A', 1, 8}, 10, 11, 0, 0},
        {{kSymbologyJan, "490123456789", kOn, 'A', 'A', 1, 9}, 0, 0, 0, 0},  // 11 and 9
        {{kSymbologyNw7, "12", 0x01, 'A', 'A', 1, 9}, 0, 0, 9, 10},          // left 11
        {{kSymbologyNw7, "12", 0x01, 'A', 'A', 3, 9}, 10.0 / 3, 10, 10.0 / 3, 10},
        {{kSymbologyCode128, "ABC", kOn, 'B', 'A', 2, 0}, 1, 10, 0, 10},
        {{kSymbologyCode39, "A", 0x01, 'A', 'A', 1, 1}, 3, 10, 1, 10},
        {{kSymbologyJan, "4901234", kOn, 'A', 'A', 1, 4, kJanForm8}, 6, 7, 4, 7},  // EAN-8: 7X
        {{kSymbologyJan, "4901234", kOn, 'A', 'A', 1, 7, kJanForm8}, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.drawing.symbology) + " margin " +
                     std::to_string(row.drawing.marginX));
        const verify::Verdict v = Check(Draw(row.drawing));
        const verify::Finding* left = v.Find(Reason::kQuietZoneLeft);
        const verify::Finding* right = v.Find(Reason::kQuietZoneRight);
        ASSERT_EQ(left != nullptr, row.needLeft > 0);
        ASSERT_EQ(right != nullptr, row.needRight > 0);
        if (left) {
            EXPECT_NEAR(left->measured, row.left, 1e-9);
            EXPECT_EQ(left->required, row.needLeft);
        }
        if (right) {
            EXPECT_NEAR(right->measured, row.right, 1e-9);
            EXPECT_EQ(right->required, row.needRight);
        }
        EXPECT_EQ(v.text.empty(), false);  // read all the same
    }
}

// Postal bars: the first at x = 20, one every 4 pixels; with the start settings the sections
// are rows 24-27, 28-31 and 32-35.
void SetBar(ExportImage& image, int bar, bool upper, bool lower) {
    for (int x = 20 + 4 * bar; x < 22 + 4 * bar; ++x) {
        for (int y = 24; y < 28; ++y) image.pixels[y * image.width + x] = upper;
        for (int y = 32; y < 36; ++y) image.pixels[y * image.width + x] = lower;
    }
}

TEST(Verify, PostalReadBackAgreesAndCatchesEveryChangedBar) {
    struct Row {
        std::string code, ref, text;
        int check;
        int form = kPostalFormDigits;
    };
    // The worked examples: sums 210 and 185, check values 18 and 5. Address numbers with every
    // letter's control code, and Japan Post's example whose last letter the cut leaves as its
    // control code alone (sums 137 and 105).
    const Row rows[] = {
        {"1234567", "", "1234567 - ", 18},
        {"1234567", "12", "1234567 - 12", 5},
        {"1234567", "ajKTuz", "1234567 - AJKTUZ", 15, kPostalFormAddressNumber},
        {"910-0067", "3-80-25J1-2B", "9100067 - 3-80-25J1-2(CC1)", 9, kPostalFormAddressNumber},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Drawing drawing{kSymbologyPostal, row.code, kOn};
        drawing.form = row.form;
        const Drawn d = Draw(drawing, row.ref);
        const verify::Verdict v = verify::Verify(d.image, d.meant, {});
        EXPECT_TRUE(v.read);
        EXPECT_EQ(v.format, "JAPAN-POST");
        EXPECT_EQ(v.text, row.text);
        // The drawing ends one bar width after the stop bar, short of the 2 mm Japan Post
        // asks for; nothing else is wrong.
        ASSERT_EQ(Reasons(v), std::vector<Reason>{Reason::kQuietZoneRight});
        EXPECT_EQ(v.findings[0].measured, 1);

        // Any one bar turned into any other kind: the symbol no longer passes.
        for (int bar = 0; bar < 67; ++bar) {
            for (int kind = 0; kind < 4; ++kind) {
                Drawn changed = d;
                SetBar(changed.image, bar, kind & 1, kind & 2);
                if (changed.image.pixels == d.image.pixels) continue;
                const verify::Verdict c = verify::Verify(changed.image, changed.meant, {});
                ASSERT_EQ(c.outcome, Outcome::kFail) << "bar " << bar << " kind " << kind;
                ASSERT_TRUE(c.Has(Reason::kPostalCheckWrong) || c.Has(Reason::kPostalUnreadable))
                    << "bar " << bar << " kind " << kind;
            }
        }
    }
    const Drawn none = Draw({kSymbologyPostal, "1234567"});
    EXPECT_TRUE(verify::Verify(none.image, none.meant, {}).Has(Reason::kPostalNoCheck));
}

TEST(Verify, WithoutReaderOurOwnChecksStillRun) {
    const Drawn nw7 = Draw({kSymbologyNw7, "12"});
    const verify::Verdict v = verify::Verify(nw7.image, nw7.meant, {});
    EXPECT_EQ(v.outcome, Outcome::kUnchecked);
    EXPECT_EQ(Reasons(v), std::vector<Reason>{Reason::kReaderMissing});
    EXPECT_EQ(verify::VerdictText(v),
              "読取確認：未確認 — 読取ライブラリなしで構築（余白と規格は適合）");

    const Drawn itf = Draw({kSymbologyItf, "12", 0x01, 'A', 'A', 2, 1});
    EXPECT_EQ(Reasons(verify::Verify(itf.image, itf.meant, {})),
              (std::vector<Reason>{Reason::kItfNotInterleaved, Reason::kQuietZoneLeft,
                                   Reason::kQuietZoneRight, Reason::kReaderMissing}));
}

// A reader that reads every image as the same thing, to disagree with.
class FixedReader : public verify::Reader {
  public:
    explicit FixedReader(verify::ReadResult result) : m_result(std::move(result)) {}
    verify::ReadResult Read(const ExportImage&, const verify::ReadRequest&) const override {
        return m_result;
    }
    const char* Name() const override { return "fixed"; }

  private:
    verify::ReadResult m_result;
};

TEST(Verify, OurReaderAloneOrHeldToTheIndependentOne) {
    const Drawn nw7 = Draw({kSymbologyNw7, "12", kOn, 'A', 'A', 1, 11});
    const verify::Verdict alone =
        verify::Verify(nw7.image, nw7.meant, {nullptr, &verify::OwnReader()});
    EXPECT_EQ(alone.outcome, Outcome::kOk);
    EXPECT_EQ(alone.text, "A125A");
    EXPECT_EQ(alone.reader, "own");

    // The verdict follows the independent reader (here: ours, a correct one), and says that
    // the other read otherwise.
    const FixedReader misreads({verify::ReadResult::Status::kRead, "CODE39", "X", ""});
    const FixedReader readsNothing({});
    struct Row {
        verify::Readers readers;
        std::vector<Reason> reasons;
        const char* text;
    };
    const Row rows[] = {
        {{&verify::OwnReader(), &misreads},
         {Reason::kReadersDisagree},
         "読取確認：読めません — 内蔵の読取と結果が違います（内蔵：CODE39 X）"},
        {{&verify::OwnReader(), &readsNothing},
         {Reason::kReadersDisagree},
         "読取確認：読めません — "
         "内蔵の読取と結果が違います（内蔵：バーコードとして読み取れません）"},
        {{&misreads, &verify::OwnReader()},
         {Reason::kWrongFormat, Reason::kReadersDisagree},
         "読取確認：読めません — CODE39 "
         "として読まれます、内蔵の読取と結果が違います（内蔵：CODABAR A125A）"},
    };
    for (const Row& row : rows) {
        const verify::Verdict v = verify::Verify(nw7.image, nw7.meant, row.readers);
        EXPECT_EQ(v.outcome, Outcome::kFail);
        EXPECT_EQ(Reasons(v), row.reasons);
        EXPECT_EQ(verify::VerdictText(v), row.text);
        EXPECT_EQ(v.reader, "both");
    }
}

// GS1-128 reads as such, shown with its AIs in parentheses; read data that the AI table or a
// check digit refuses is named, even where it is what was meant.
TEST(Verify, Gs1DataIsCheckedAgainstTheAiTable) {
    TestJob t(kSymbologyCode128, "(91)91234501234567890123456789010103310123000", kOn);
    t.job.m_nCode128Form = kCode128FormGs1;
    ASSERT_TRUE(t.Run());
    const verify::Meant meant = verify::MeantOf(t.job);
    const std::string payment = "91912345012345678901234567890101033101230003";
    EXPECT_EQ(meant.text, payment);
    const verify::Verdict good = verify::Verify(t.LastExport(), meant, kBuilt);
    EXPECT_EQ(good.outcome, Outcome::kOk);
    EXPECT_EQ(verify::VerdictText(good),
              FormatText(str::kVerdictOk, "GS1-128", ("(91)" + payment.substr(2)).c_str()));

    const struct Row {
        std::string bytes;
        std::vector<Reason> reasons;
        std::string why;
    } rows[] = {
        {payment.substr(0, 43) + "8",
         {Reason::kGs1Data, Reason::kTextDiffers},
         FormatText(str::kGs1PaymentCheckDigit, '8', '3')},
        {"0104912345678905",
         {Reason::kGs1Data, Reason::kTextDiffers},
         FormatText(str::kGs1CheckDigit, "01", '5', '4')},
        {"2312", {Reason::kGs1Data, Reason::kTextDiffers}, FormatText(str::kGs1UnknownAi, "2312")},
        {payment, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes);
        const FixedReader reads({verify::ReadResult::Status::kRead, "GS1-128", row.bytes, ""});
        const verify::Verdict v = verify::Verify(t.LastExport(), meant, {&reads, nullptr});
        EXPECT_EQ(Reasons(v), row.reasons);
        const verify::Finding* f = v.Find(Reason::kGs1Data);
        EXPECT_EQ(f ? f->detail : "", row.why);
    }
}

TEST(Verify, ImagesWithoutBars) {
    ExportImage empty;
    ExportImage white{5, 3, std::vector<std::uint8_t>(15, 0)};
    ExportImage shortPixels{100, 100, std::vector<std::uint8_t>(10, 1)};  // not whole
    for (const ExportImage* image : {&empty, &white, &shortPixels}) {
        for (int type = 0; type <= kSymbologyPostal; ++type) {
            verify::Meant meant;
            meant.symbology = type;
            const verify::Verdict v = verify::Verify(*image, meant, kBuilt);
            EXPECT_EQ(v.outcome, Outcome::kFail);
            EXPECT_TRUE(v.Has(Reason::kNoBars));
        }
    }
}

}  // namespace
}  // namespace diduzozoz::test
