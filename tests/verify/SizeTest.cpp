// The size on paper against each standard's limits: for every code type and form, a size just
// inside and just outside each limit, with the verdict that follows; and the printer dots a
// pixel chosen to meet them. Sizes come from the resolution: a module of u pixels at d dpi is
// u x 25.4 / d mm, so each row's resolution is worked out by hand from the standard's number.
// The forms whose encoders live elsewhere are drawn here as plain bars of one module each.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/BoundedCopy.h"
#include "core/TestHost.h"
#include "verify/BuiltReaders.h"
#include "verify/SizeLimits.h"

namespace diduzozoz::test {
namespace {

using verify::Outcome;
using verify::Reason;

struct Sample {
    ExportImage image;
    verify::Meant meant;
};

// A drawing of the job, with the dialog's options it names.
Sample Drawn(int symbology, const std::string& code, int unit, int marginX, int height,
             const std::string& ref = "") {
    TestJob t(symbology, code, kCheckDigitOn | 1);
    t.job.m_nLineUnit = unit;
    t.job.m_nMarginX = marginX;
    t.job.m_nBarHeight = height;
    t.host.refNoCombo = ref;
    CopyText(t.job.m_szRefNo, ref);
    EXPECT_TRUE(t.Run()) << code;
    return {t.host.exports.empty() ? ExportImage{} : t.LastExport(), verify::MeantOf(t.job)};
}

// Bars of one module, one module apart (modules odd: a bar at both ends), px pixels a module,
// quiet pixels of white each side, rows high; bearer > 0: ITF-14's frame, that many pixels
// thick, touching the bars above and below.
Sample Synthetic(int symbology, int form, const std::string& text, int modules, int px, int quiet,
                 int rows, int bearer = 0) {
    ExportImage image;
    image.width = 2 * bearer + 2 * quiet + modules * px;
    const int top = bearer > 0 ? bearer : 4;
    image.height = rows + 2 * top;
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    auto set = [&](int x, int y) {
        image.pixels[static_cast<std::size_t>(y) * image.width + x] = 1;
    };
    for (int y = 0; y < image.height; ++y) {
        const bool barRow = y >= top && y < top + rows;
        for (int x = 0; x < image.width; ++x) {
            const bool frame = bearer > 0 && (!barRow || x < bearer || x >= image.width - bearer);
            const int m = (x - bearer - quiet) / px;
            const bool bar = barRow && x >= bearer + quiet && m < modules && m % 2 == 0;
            if (frame || bar) set(x, y);
        }
    }
    verify::Meant meant;
    meant.symbology = symbology;
    meant.form = form;
    meant.text = text;
    meant.checkCharacter = true;
    return {image, meant};
}

const std::string kPayment = "91" + std::string(42, '7');
const std::string kGtin = "14901234567891";
const std::string kAi01 = "0112345678901231";
const std::string kZip = "1234567";

std::vector<Reason> SizeReasons(const verify::Verdict& v) {
    std::vector<Reason> out;
    for (const verify::Finding& f : v.findings) {
        switch (f.reason) {
            case Reason::kXDimension:
            case Reason::kQuietZoneLeftMm:
            case Reason::kQuietZoneRightMm:
            case Reason::kTooLong:
            case Reason::kBarHeight:
                out.push_back(f.reason);
                break;
            default:
                break;
        }
    }
    return out;
}

TEST(SizeOnPaper, EachLimitJustInsideAndJustOutside) {
    struct Row {
        const char* what;
        Sample sample;
        verify::Paper paper;
        std::vector<Reason> size;  // the size findings, in the order told
        // Drawn rows, read with the build's readers; none for plain bars, which no reader takes.
        std::optional<Outcome> outcome;
    };
    constexpr Reason kX = Reason::kXDimension;
    constexpr Reason kLeft = Reason::kQuietZoneLeftMm;
    constexpr Reason kRight = Reason::kQuietZoneRightMm;
    constexpr Reason kLong = Reason::kTooLong;
    constexpr Reason kHigh = Reason::kBarHeight;
    constexpr Outcome kOk = Outcome::kOk;
    constexpr Outcome kFail = Outcome::kFail;
    constexpr std::nullopt_t kBars = std::nullopt;
    const std::string jan = "490123456789";
    // The drawn bars are the height setting less the two rows its trim lines take.
    // clang-format off
    const Row rows[] = {
        // JAN-13, GS1's retail table: X 0.264 to 0.660; bars 18.28 mm, 22.85 / 0.330 X above.
        {"JAN 96 dpi: X 0.2646, bars 70 px 18.52 mm, quiet 11 and 9 X",
         Drawn(kSymbologyJan, jan, 1, 9, 72), {96}, {}, kOk},
        {"JAN 97 dpi: X 0.2619", Drawn(kSymbologyJan, jan, 1, 9, 72), {97}, {kX}, kFail},
        {"JAN unit 2 at 77 dpi: X 0.6597, bars 46.2 mm of 45.7",
         Drawn(kSymbologyJan, jan, 2, 30, 142), {77}, {}, kOk},
        {"JAN unit 2 at 76 dpi: X 0.6684", Drawn(kSymbologyJan, jan, 2, 30, 142), {76}, {kX}, kFail},
        {"JAN bars 69 px, 18.26 mm of 18.32: a warning only",
         Drawn(kSymbologyJan, jan, 1, 9, 71), {96}, {kHigh}, kOk},
        {"JAN left quiet zone 10 px, 2.65 mm of 11 X 2.91",
         Drawn(kSymbologyJan, jan, 1, 8, 72), {96}, {kLeft}, kFail},
        // JAN-8: 14.58 mm, 18.23 / 0.330 X above; 7X each side.
        {"JAN-8 bars 56 px at 96 dpi, 14.82 mm of 14.62",
         Synthetic(kSymbologyJan, kJanForm8, "49123456", 67, 1, 7, 56), {96}, {}, kBars},
        {"JAN-8 bars 55 px, 14.55 mm; quiet zones 6 X",
         Synthetic(kSymbologyJan, kJanForm8, "49123456", 67, 1, 6, 55), {96},
         {kLeft, kRight, kHigh}, kBars},
        // ITF-14, GS1's general distribution table: X from 0.495, bars 31.75 mm, 10X inside
        // the bearer frame.
        {"ITF-14 X 0.498 at 102 dpi, bars 128 px 31.87 mm, quiet 10 X in its frame",
         Synthetic(kSymbologyItf, kItfForm14, kGtin, 41, 2, 20, 128, 10), {102}, {}, kBars},
        {"ITF-14 X 0.4932 at 103 dpi (bars 129 px, 31.81 mm)",
         Synthetic(kSymbologyItf, kItfForm14, kGtin, 41, 2, 20, 129, 10), {103}, {kX}, kBars},
        {"ITF-14 bars 127 px, 31.63 mm; quiet 9.5 X in its frame",
         Synthetic(kSymbologyItf, kItfForm14, kGtin, 41, 2, 19, 127, 10), {102},
         {kLeft, kRight, kHigh}, kBars},
        // Interleaved ITF, ISO/IEC 16390: bars of 5 mm or 15 % of the symbol's width.
        {"ITF 121 modules of 2 px at 96 dpi, 64.03 mm: bars 37 px 9.79 mm of 9.6",
         Synthetic(kSymbologyItf, kItfFormInterleaved, "1234", 121, 2, 20, 37), {96}, {}, kBars},
        {"ITF bars 36 px, 9.53 mm",
         Synthetic(kSymbologyItf, kItfFormInterleaved, "1234", 121, 2, 20, 36), {96}, {kHigh},
         kBars},
        // GS1-128: as ITF-14, and at most 165.10 mm with its 10X quiet zones.
        {"GS1-128 311 modules and 20 X at 0.498 mm: 164.85 mm",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kAi01, 311, 2, 20, 128), {102}, {}, kBars},
        {"GS1-128 313 modules: 165.85 mm",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kAi01, 313, 2, 20, 128), {102}, {kLong},
         kBars},
        // The payment code: 60 mm with quiet zones of 2.54 mm, bars 10 mm, X from 0.158.
        {"payment code 287 modules at 133 dpi, X 0.191: 59.89 mm, bars 10.12, quiet 2.67",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kPayment, 287, 1, 14, 53), {133}, {}, kBars},
        {"payment code at 132 dpi: 60.31 mm",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kPayment, 287, 1, 14, 53), {132}, {kLong},
         kBars},
        {"payment code quiet zones 2.48 mm, bars 9.93",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kPayment, 287, 1, 13, 52), {133},
         {kLeft, kRight, kHigh}, kBars},
        {"payment code at 160 dpi: X 0.15875, quiet 2.70, bars 10.16",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kPayment, 287, 1, 17, 64), {160}, {}, kBars},
        {"payment code at 161 dpi: X 0.1578",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kPayment, 287, 1, 17, 64), {161}, {kX},
         kBars},
        // CODE39, ISO/IEC 16388: no X limits; bars of 5 mm (15 % of a short symbol is less).
        {"CODE39 bars 19 px at 96 dpi, 5.03 mm", Drawn(kSymbologyCode39, "1", 1, 10, 21), {96}, {},
         kOk},
        {"CODE39 bars 18 px, 4.76 mm", Drawn(kSymbologyCode39, "1", 1, 10, 20), {96}, {kHigh}, kOk},
        // NW-7 and CODE128 (EN 798, ISO/IEC 15417): only 10X quiet zones, at any X.
        {"NW-7 at 2400 dpi, X 0.011", Drawn(kSymbologyNw7, "12", 1, 10, 40), {2400}, {}, kOk},
        {"NW-7 right quiet zone 9 X", Drawn(kSymbologyNw7, "12", 1, 9, 40), {2400}, {kRight}, kFail},
        {"CODE128 at 2400 dpi", Drawn(kSymbologyCode128, "ABC", 1, 10, 40), {2400}, {}, kOk},
        // The customer barcode, Japan Post: 8 to 11.5 point, bars 0.40 to 0.69 mm; long bars of
        // at least 3.40 a / 10; 2 mm all round (its drawing leaves one bar width on the right).
        {"postal at 74 dpi, bars 0.6865 mm", Drawn(kSymbologyPostal, kZip, 1, 10, 40, "12"),
         {74, 1, true}, {}, kOk},
        {"postal at 73 dpi, bars 0.6959 mm", Drawn(kSymbologyPostal, kZip, 1, 10, 40, "12"),
         {73, 1, true}, {kX}, kFail},
        {"postal at 127 dpi, bars 0.4000 mm; long bars 12 px 2.40 mm of 2.72",
         Drawn(kSymbologyPostal, kZip, 1, 10, 40, "12"), {127, 1, true}, {kHigh}, kOk},
        {"postal at 128 dpi, bars 0.3969 mm", Drawn(kSymbologyPostal, kZip, 1, 10, 50, "12"),
         {128, 1, true}, {kX}, kFail},
        {"postal at 96 dpi: long bars 12 px 3.18 mm of 3.0; 0.53 mm right",
         Drawn(kSymbologyPostal, kZip, 1, 10, 40, "12"), {96}, {kRight}, kFail},
        {"postal long bars 9 px, 2.38 mm", Drawn(kSymbologyPostal, kZip, 1, 10, 30, "12"),
         {96, 1, true}, {kHigh}, kOk},
        // ITF as always drawn is no standard's: no size is judged, however small.
        {"plain ITF at 2400 dpi", Drawn(kSymbologyItf, "1234", 1, 10, 40), {2400}, {}, kFail},
    };
    // clang-format on
    const verify::Readers built = verify::BuiltReaders();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const verify::Verdict v = verify::Verify(
            row.sample.image, row.sample.meant, row.outcome ? built : verify::Readers{}, row.paper);
        EXPECT_EQ(SizeReasons(v), row.size);
        // A size missed fails the drawing; a warning alone leaves it as the reading has it.
        if (row.outcome) {
            EXPECT_EQ(v.outcome, *row.outcome);
        }
        const bool missed = SizeReasons(v).size() > (v.Has(Reason::kBarHeight) ? 1u : 0u);
        if (missed) {
            EXPECT_EQ(v.outcome, Outcome::kFail);
        }
        EXPECT_TRUE(v.onPaper);
        EXPECT_GT(v.moduleMm, 0);
    }
}

TEST(SizeOnPaper, DotsNearestToAPixelThatMeetTheLimits) {
    using Why = verify::DotsChoice::Why;
    struct Row {
        const char* what;
        Sample sample;
        int dpi;
        int dots;
        Why why;
    };
    const Row rows[] = {
        {"JAN at 600 dpi: 6 dots give 0.254 mm, 7 give 0.296",
         Drawn(kSymbologyJan, "490123456789", 1, 10, 40), 600, 7, Why::kUp},
        {"JAN at 1200 dpi: 13 dots give 0.275", Drawn(kSymbologyJan, "490123456789", 1, 10, 40),
         1200, 13, Why::kNearest},
        {"JAN unit 3 at 600 dpi: 18 dots 0.762 mm, 15 give 0.635",
         Drawn(kSymbologyJan, "490123456789", 3, 30, 40), 600, 5, Why::kDownForWidth},
        {"ITF-14 at 600 dpi: 0.495 mm takes 12 dots",
         Synthetic(kSymbologyItf, kItfForm14, "14901234567891", 41, 1, 10, 40, 5), 600, 12,
         Why::kUp},
        // 287 modules from the first bar to the last and 5.08 mm of quiet zones: 6 dots make
        // 78.0 mm, 7 more, 5 65.8, 4 53.7.
        {"payment code at 600 dpi",
         Synthetic(kSymbologyCode128, kCode128FormGs1, kPayment, 287, 1, 10, 40), 600, 4,
         Why::kDownForLength},
        {"postal at 72 dpi: one dot is 0.706 mm",
         Drawn(kSymbologyPostal, "1234567", 1, 10, 40, "12"), 72, 1, Why::kNoneFits},
        {"CODE39 has no X limits", Drawn(kSymbologyCode39, "1", 1, 10, 40), 2400, 25,
         Why::kNearest},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const verify::DotsChoice c =
            verify::ChooseDotsPerPixel(row.sample.image, row.sample.meant, row.dpi);
        EXPECT_EQ(c.dots, row.dots);
        EXPECT_EQ(c.why, row.why);
    }
}

}  // namespace
}  // namespace diduzozoz::test
