// Fuzz target: the Create command with every setting taken from the input, including values
// no control of the dialog can produce. Checks the job's invariants after every run, and
// reads every exported image back as each of the code types with our own reader (ZXing-C++
// is not fuzzed here).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/BoundedCopy.h"
#include "cli/VerifyOutput.h"
#include "job/BarcodeJob.h"
#include "tests/fuzz/Invariant.h"
#include "verify/OwnReader.h"
#include "verify/SizeLimits.h"
#include "verify/Verify.h"

namespace {

using namespace diduzozoz;

const verify::Readers kOwn{nullptr, &verify::OwnReader()};

class FuzzHost : public JobHost {
  public:
    void ShowMessage(const std::string& text) override {
        if (text.empty()) std::abort();
        ++messages;
    }
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return codeCombo; }
    std::string RefNoComboText() override { return refCombo; }
    void ExportToClipboard(const ExportImage& image) override {
        ++exports;
        width = image.width;
        height = image.height;
        if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
            std::abort();
        for (std::uint8_t p : image.pixels) {
            if (p > 1) std::abort();  // two colours only
        }
    }
    std::string codeCombo;
    std::string refCombo;
    int messages = 0;
    int exports = 0;
    int width = 0;
    int height = 0;
};

// The verdict agrees with its findings, and both of its renderings can be made.
void CheckVerdict(const verify::Verdict& v) {
    bool failed = false;
    bool warningsOnly = true;
    for (const verify::Finding& f : v.findings) {
        failed = failed || verify::IsFailure(f.reason);
        warningsOnly = warningsOnly && verify::IsWarning(f.reason);
    }
    Check((v.outcome == verify::Outcome::kFail) == failed);
    Check((v.outcome == verify::Outcome::kOk) == warningsOnly);
    Check(v.outcome != verify::Outcome::kOk || v.read);
    Check(!verify::VerdictText(v).empty());
    Check(!cli::VerdictColumns(&v).empty());
}

bool CanvasIsWhite(const BarCanvas& canvas) {
    for (int y = 0; y < canvas.UsedHeight(); ++y) {
        const std::uint8_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.UsedWidth(); ++x) {
            if (row[x]) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FuzzHost host;
    BarcodeJob job(host);
    // Several runs on one job, as the dialog makes them, so state carried between runs
    // (the postal check value, the canvas, the pattern table) is exercised too.
    const int runs = in.ConsumeIntegralInRange(1, 4);
    for (int run = 0; run < runs && in.remaining_bytes() > 0; ++run) {
        job.m_nSymbology = in.ConsumeIntegralInRange(-2, 8);
        for (int type = 1; type <= 6; ++type) {
            if (in.ConsumeBool())
                *job.OptionWord(type) = in.ConsumeIntegral<int>();
            else
                *job.OptionWord(type) = in.ConsumeIntegralInRange(0, 0x1F);
        }
        const bool wild = in.ConsumeBool();
        job.m_nLineUnit = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 9);
        job.m_nBarHeight = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 610);
        job.m_nMarginX = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(-2, 210);
        job.m_nMarginY = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(-2, 210);
        job.m_nTextPosition = in.ConsumeIntegralInRange(-1, 3);
        // The forms, and values no list holds.
        job.m_nJanForm = in.ConsumeIntegralInRange(-1, 2);
        job.m_nItfForm = in.ConsumeIntegralInRange(-1, 3);
        job.m_szNW7Start[0] = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        job.m_szNW7Stop[0] = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        job.m_szCode128Start[0] = static_cast<char>(in.ConsumeIntegral<std::uint8_t>());
        job.m_nCode128Form = in.ConsumeIntegralInRange(-1, 3);
        // The combos hold at most their limits; the members are set from them as the
        // combo handlers do, or now and then filled beyond the limit directly.
        // Texts are C strings: a combo's text ends at its first NUL.
        host.codeCombo = in.ConsumeRandomLengthString(kMaxCodeBytes + 8).c_str();
        const bool beyondLimit = host.codeCombo.size() > static_cast<std::size_t>(kMaxCodeBytes);
        if (beyondLimit) {
            std::string raw = host.codeCombo;
            host.codeCombo.resize(Utf8SafePrefix(host.codeCombo, kMaxCodeBytes));
            CopyText(job.m_szCode, raw);  // longer than any combo allows
        } else {
            CopyText(job.m_szCode, host.codeCombo);
        }
        host.refCombo = in.ConsumeRandomLengthString(kMaxRefNoBytes).c_str();
        CopyText(job.m_szRefNo, host.refCombo);

        const int exportsBefore = host.exports;
        const bool exported = job.CreateBarcode();
        Check(exported == (host.exports == exportsBefore + 1));
        // Restored from the combo after every run that got past the settings checks; a code
        // beyond the limit is refused and restored, never cut silently.
        if (!beyondLimit) Check(TextView(job.m_szCode) == host.codeCombo);
        if (!exported) {
            // A refused run leaves a white canvas; nothing may be left half drawn.
            Check(CanvasIsWhite(job.m_canvas));
        } else {
            // ITF-14's bearers add to the height; CODE128's automatic and GS1 forms grow to
            // hold a caption the margin cannot.
            const bool framed = job.m_nSymbology == kSymbologyItf && job.m_nItfForm == kItfForm14;
            const int h =
                job.m_nBarHeight + 2 * job.m_nMarginY + (framed ? 10 * job.m_nLineUnit : 0);
            Check(host.height == h || (job.m_nSymbology == kSymbologyCode128 && host.height > h &&
                                       host.height <= job.m_nMarginY + job.m_nBarHeight + 32));
            Check(host.width > 0 && host.width <= BarCanvas::kMaxWidth);
            if (job.m_nSymbology == kSymbologyPostal) Check(host.width == 288 || host.width == 276);
            verify::Meant meant = verify::MeantOf(job);
            CheckVerdict(verify::Verify(job.m_export, meant, kOwn));
            for (int type = kSymbologyNw7; type <= kSymbologyPostal; ++type) {
                meant.symbology = type;  // any image as any type: never out of bounds
                CheckVerdict(verify::Verify(job.m_export, meant, kOwn));
            }
            // On paper at any resolution, as any form: no division by zero, whole dots.
            const verify::Paper paper{in.ConsumeIntegralInRange(-1, 3000),
                                      in.ConsumeIntegralInRange(-1, 64), in.ConsumeBool()};
            meant.form = in.ConsumeIntegralInRange(-1, 3);
            const verify::Verdict onPaper = verify::Verify(job.m_export, meant, kOwn, paper);
            CheckVerdict(onPaper);
            Check(onPaper.onPaper == (paper.dpi > 0));
            const verify::DotsChoice dots =
                verify::ChooseDotsPerPixel(job.m_export, meant, paper.dpi);
            Check(dots.dots >= 1);
            Check(dots.Fits() || verify::NoWholeDotsNote(dots).size() <= 4096);
            Check(verify::RoundingNote(dots).size() <= 4096);
        }
    }
    return 0;
}
