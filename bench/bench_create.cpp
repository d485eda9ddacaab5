// In-process cost of the Create command per code type, of the export copy and of PNG encoding.
#include <benchmark/benchmark.h>

#include <string>

#include "base/BoundedCopy.h"
#include "job/BarcodeJob.h"

namespace {

using namespace diduzozoz;

class NullHost : public JobHost {
  public:
    void ShowMessage(const std::string&) override {}
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return code; }
    std::string RefNoComboText() override { return ref; }
    void ExportToClipboard(const ExportImage& image) override {
        benchmark::DoNotOptimize(image.pixels.data());
    }
    std::string code;
    std::string ref;
};

struct Case {
    const char* name;
    int type;
    std::string code;
    char start;
};

// Typical codes, and the longest each type accepts (124 bytes, or the fixed lengths).
const Case kCases[] = {
    {"nw7/typical", kSymbologyNw7, "1234567890", 'A'},
    {"nw7/longest", kSymbologyNw7, std::string(124, '7'), 'A'},
    {"code39/typical", kSymbologyCode39, "ABC-1234", 'A'},
    {"code39/longest", kSymbologyCode39, std::string(124, 'W'), 'A'},
    {"jan/typical", kSymbologyJan, "490123456789", 'A'},
    {"itf/typical", kSymbologyItf, "1234567890", 'A'},
    {"itf/longest", kSymbologyItf, std::string(124, '9'), 'A'},
    {"code128/typical", kSymbologyCode128, "Hello-1234", 'B'},
    {"code128/longest", kSymbologyCode128, std::string(124, 'x'), 'B'},
    {"code128C/longest", kSymbologyCode128, std::string(124, '5'), 'C'},
    {"postal/typical", kSymbologyPostal, "1234567", 'A'},
};

void BM_Create(benchmark::State& state, const Case& c, int unit, int textPosition = kTextBelow) {
    NullHost host;
    BarcodeJob job(host);
    job.m_nSymbology = c.type;
    *job.OptionWord(c.type) = kCheckDigitOn | 1;
    job.m_nLineUnit = unit;
    job.m_nTextPosition = textPosition;
    job.m_szCode128Start[0] = c.start;
    host.code = c.code;
    host.ref = "12";
    CopyText(job.m_szCode, c.code);
    CopyText(job.m_szRefNo, host.ref);
    for (auto _ : state) {
        if (!job.CreateBarcode()) state.SkipWithError("not exported");
    }
}

void BM_Png(benchmark::State& state, const Case& c) {
    NullHost host;
    BarcodeJob job(host);
    job.m_nSymbology = c.type;
    job.m_szCode128Start[0] = c.start;
    host.code = c.code;
    CopyText(job.m_szCode, c.code);
    job.CreateBarcode();
    std::vector<std::uint8_t> out;
    PngEncoder encoder;
    for (auto _ : state) {
        encoder.Encode(job.m_export, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel(std::to_string(job.m_export.width) + "x" + std::to_string(job.m_export.height));
}

void BM_ExportCopy(benchmark::State& state) {
    NullHost host;
    BarcodeJob job(host);
    job.m_nSymbology = kSymbologyCode128;
    job.m_szCode128Start[0] = 'B';
    host.code = std::string(124, 'x');
    CopyText(job.m_szCode, host.code);
    job.CreateBarcode();
    for (auto _ : state) job.Export(job.m_export.width, job.m_export.height);
}

[[maybe_unused]] const bool kRegistered = [] {
    for (const Case& c : kCases) {
        for (int unit : {1, 3}) {
            benchmark::RegisterBenchmark(
                (std::string("Create/") + c.name + "/unit" + std::to_string(unit)).c_str(),
                [&c, unit](benchmark::State& s) { BM_Create(s, c, unit); });
        }
    }
    benchmark::RegisterBenchmark("Create/code128/typical/unit1/nocaption", [](benchmark::State& s) {
        BM_Create(s, kCases[7], 1, kTextNone);
    });
    benchmark::RegisterBenchmark("Png/code128/typical",
                                 [](benchmark::State& s) { BM_Png(s, kCases[7]); });
    benchmark::RegisterBenchmark("Png/code128/longest",
                                 [](benchmark::State& s) { BM_Png(s, kCases[8]); });
    benchmark::RegisterBenchmark("ExportCopy/code128/longest", BM_ExportCopy);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
