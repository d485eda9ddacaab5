// Cost of the read-back check of one exported barcode with each choice of readers: our own
// reader, ZXing-C++, both (the dialog's and the twin's choice) and none (our other checks
// alone), for standard symbols and for ones no reader can read (every row tried).
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "base/BoundedCopy.h"
#include "job/BarcodeJob.h"
#include "verify/OwnReader.h"
#include "verify/Verify.h"
#include "verify/ZxingReader.h"

namespace {

using namespace diduzozoz;

class KeepHost : public JobHost {
  public:
    void ShowMessage(const std::string&) override {}
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return code; }
    std::string RefNoComboText() override { return ref; }
    void ExportToClipboard(const ExportImage&) override {}
    std::string code;
    std::string ref = "12";
};

struct Case {
    const char* name;
    int type;
    std::string code;
    char start;
    int optionWord;
};

const Case kCases[] = {
    {"nw7/typical", kSymbologyNw7, "1234567890", 'A', kCheckDigitOn | 1},
    {"code39/typical", kSymbologyCode39, "ABC-1234", 'A', kCheckDigitOn | 1},
    {"jan/typical", kSymbologyJan, "490123456789", 'A', kCheckDigitOn | 1},
    {"code128/typical", kSymbologyCode128, "Hello-1234", 'B', kCheckDigitOn | 1},
    {"code128/longest", kSymbologyCode128, std::string(124, 'W'), 'A', kCheckDigitOn | 1},
    {"postal/typical", kSymbologyPostal, "1234567", 'A', kCheckDigitOn | 1},
    // Not readable: the reader tries every row before it gives up.
    {"itf/typical", kSymbologyItf, "1234567890", 'A', kCheckDigitOn | 1},
    {"code128/no-check", kSymbologyCode128, "Hello-1234", 'B', 1},
};

void BM_Verify(benchmark::State& state, const Case& c, verify::Readers readers) {
    KeepHost host;
    BarcodeJob job(host);
    job.m_nSymbology = c.type;
    *job.OptionWord(c.type) = c.optionWord;
    job.m_nTextPosition = kTextBelow;
    job.m_szCode128Start[0] = c.start;
    host.code = c.code;
    CopyText(job.m_szCode, c.code);
    CopyText(job.m_szRefNo, host.ref);
    if (!job.CreateBarcode()) {
        state.SkipWithError("nothing drawn");
        return;
    }
    const verify::Meant meant = verify::MeantOf(job);
    for (auto _ : state) {
        verify::Verdict v = verify::Verify(job.m_export, meant, readers);
        benchmark::DoNotOptimize(v.findings.data());
    }
    state.SetLabel(std::to_string(job.m_export.width) + "x" + std::to_string(job.m_export.height));
}

int Register() {
    const verify::Reader* own = &verify::OwnReader();
    const verify::Reader* zxing = &verify::ZxingReader();
    const std::pair<const char*, verify::Readers> choices[] = {
        {"own", {nullptr, own}}, {"zxing", {zxing, nullptr}}, {"both", {zxing, own}}, {"none", {}}};
    for (const Case& c : kCases) {
        for (const auto& [name, readers] : choices) {
            benchmark::RegisterBenchmark((std::string(name) + "/" + c.name).c_str(), BM_Verify, c,
                                         readers)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    return 0;
}
const int kRegistered = Register();

}  // namespace

BENCHMARK_MAIN();
