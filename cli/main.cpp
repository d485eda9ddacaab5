// diduzozoz-cli: one Create command, headless, to an image file.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Batch.h"
#include "cli/CliOptions.h"
#include "cli/FileOutput.h"
#include "cli/VerifyOutput.h"
#include "job/BarcodeJob.h"
#ifdef DIDUZOZOZ_HAVE_ZXING
#include "verify/ZxingReader.h"
#endif

namespace {

using namespace diduzozoz;

class CliHost : public JobHost {
  public:
    explicit CliHost(const cli::CliOptions& o) : m_options(o) {}
    void ShowMessage(const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return m_options.code; }
    std::string RefNoComboText() override { return m_options.ref; }
    void ExportToClipboard(const ExportImage& image) override {
        exported = true;
        if (m_options.format == cli::OutputFormat::kNone) return;
        std::string error;
        written = m_options.ToStdout()
                      ? cli::WriteImageStdout(image, m_options.format, m_options.dpi, error)
                      : cli::WriteImageFile(image, m_options.format, m_options.output, error,
                                            m_options.dpi);
        if (!written) writeError = error;
    }

    bool exported = false;
    bool written = false;
    std::string writeError;

  private:
    const cli::CliOptions& m_options;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    cli::ParseResult parsed = cli::ParseArguments(args);
    if (!parsed.options) {
        std::fprintf(stderr, "diduzozoz-cli: %s (see --help)\n", parsed.error.c_str());
        return 2;
    }
    const cli::CliOptions& o = *parsed.options;
    if (o.help) {
        std::fputs(cli::kUsage, stdout);
        return 0;
    }
    if (o.version) {
        std::printf("diduzozoz-cli %s\n", DIDUZOZOZ_VERSION);
        return 0;
    }
#ifdef DIDUZOZOZ_HAVE_ZXING
    const verify::Reader* reader = &verify::ZxingReader();
#else
    // The static program has no reader (Debian ships ZXing only as a shared library); its
    // dynamically linked twin has. Without the twin our own checks still run.
#ifdef DIDUZOZOZ_VERIFIER_NAME
    if (o.verify) cli::HandOverTo(DIDUZOZOZ_VERIFIER_NAME, argv);
#endif
    const verify::Reader* reader = nullptr;
#endif
    if (o.Batch()) return cli::RunBatch(o, reader);
    CliHost host(o);
    BarcodeJob job(host);
    cli::ApplyOptions(o, job);
    job.CreateBarcode();
    // With the image on stdout, stdout carries nothing else.
    std::FILE* status = o.ToStdout() ? stderr : stdout;
    std::fprintf(status, "%s\n", job.m_strStatus.c_str());
    std::optional<verify::Verdict> verdict;
    if (o.verify) {
        if (host.exported) verdict = verify::Verify(job.m_export, verify::MeantOf(job), reader);
        std::fprintf(status, "verify\t%s\n",
                     cli::VerdictColumns(verdict ? &*verdict : nullptr).c_str());
    }
    std::fflush(status);
    if (!host.writeError.empty()) {
        std::fprintf(stderr, "diduzozoz-cli: %s\n", host.writeError.c_str());
        return 1;
    }
    if (!host.exported) return 1;
    if (verdict && verdict->outcome == verify::Outcome::kFail) return 3;
    return 0;
}
