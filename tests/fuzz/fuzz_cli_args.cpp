// Fuzz target: the command-line parser with arbitrary argument vectors (NUL separates them),
// and, when they parse, the run they describe.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/FileOutput.h"
#include "symbology/Postal.h"

namespace {

using namespace diduzozoz;

class NullHost : public JobHost {
  public:
    explicit NullHost(const cli::CliOptions& o) : m_o(o) {}
    void ShowMessage(const std::string&) override {}
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return m_o.code; }
    std::string RefNoComboText() override { return m_o.ref; }
    // The file the run would write, encoded in memory only.
    void ExportToClipboard(const ExportImage& image) override {
        if (m_o.format == cli::OutputFormat::kNone) return;
        std::vector<std::uint8_t> bytes;
        std::string error;
        if (!cli::EncodeOutput(image, m_o.format, m_o.dpi, bytes, error)) std::abort();
    }

  private:
    const cli::CliOptions& m_o;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const cli::ParseResult parsed = cli::ParseArguments(args);
    if (!parsed.options) {
        if (parsed.error.empty() || parsed.error.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    const cli::CliOptions& o = *parsed.options;
    if (o.code.size() > static_cast<std::size_t>(kMaxCodeBytes)) std::abort();
    const std::size_t refLimit = o.symbology == kSymbologyPostal
                                     ? PostalRefLimit(o.form)
                                     : static_cast<std::size_t>(kMaxRefNoBytes);
    if (o.ref.size() > refLimit) std::abort();
    NullHost host(o);
    BarcodeJob job(host);
    cli::ApplyOptions(o, job);
    job.CreateBarcode();
    if (std::string(job.m_szCode) != o.code) std::abort();
    return 0;
}
