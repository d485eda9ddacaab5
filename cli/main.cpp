// diduzozoz-cli: one Create command, headless, to an image file.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Batch.h"
#include "cli/CliOptions.h"
#include "cli/FileOutput.h"
#include "cli/Platform.h"
#include "job/BarcodeJob.h"

namespace {

using namespace diduzozoz;

class CliHost : public JobHost {
  public:
    explicit CliHost(const cli::CliOptions& o) : m_options(o) {}
    void ShowMessage(const std::string& text) override { cli::WriteText(stderr, text + "\n"); }
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return m_options.code; }
    std::string RefNoComboText() override { return m_options.ref; }
    void ExportToClipboard(const ExportImage& image) override {
        exported = true;
        if (m_options.format == cli::OutputFormat::kNone) return;
        std::string error;
        written = cli::WriteImageFile(image, m_options.format, m_options.output, error);
        if (!written) writeError = error;
    }

    bool exported = false;
    bool written = false;
    std::string writeError;

  private:
    const cli::CliOptions& m_options;
};

}  // namespace

namespace {

int Run(const std::vector<std::string>& args) {
    cli::SetUpStandardStreams();
    cli::ParseResult parsed = cli::ParseArguments(args);
    if (!parsed.options) {
        cli::WriteText(stderr, "diduzozoz-cli: " + parsed.error + " (see --help)\n");
        return 2;
    }
    const cli::CliOptions& o = *parsed.options;
    if (o.help) {
        cli::WriteText(stdout, cli::kUsage);
        return 0;
    }
    if (o.version) {
        cli::WriteText(stdout, "diduzozoz-cli " DIDUZOZOZ_VERSION "\n");
        return 0;
    }
    if (o.Batch()) return cli::RunBatch(o);
    CliHost host(o);
    BarcodeJob job(host);
    cli::ApplyOptions(o, job);
    job.CreateBarcode();
    cli::WriteText(stdout, job.m_strStatus + "\n");
    std::fflush(stdout);
    if (!host.writeError.empty()) {
        cli::WriteText(stderr, "diduzozoz-cli: " + host.writeError + "\n");
        return 1;
    }
    if (!host.exported) return 1;
    return 0;
}

}  // namespace

#if defined(_WIN32)
// wmain, not main: main's arguments arrive in the ANSI code page, which cannot hold every
// file name and maps some characters to others (a full-width １ to 1).
int wmain(int argc, wchar_t** argv) {
    return Run(cli::Utf8Arguments(argc, argv));
}
#else
int main(int argc, char** argv) {
    return Run({argv + 1, argv + argc});
}
#endif
