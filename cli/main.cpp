// diduzozoz-cli: one Create command, headless, to an image file.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Batch.h"
#include "cli/CliOptions.h"
#include "cli/FileOutput.h"
#include "cli/Platform.h"
#include "cli/Sheet.h"
#include "cli/VerifyOutput.h"
#include "job/BarcodeJob.h"
#include "verify/BuiltReaders.h"

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

namespace {

// The readers --verify asks for. Plain --verify reads with what the build has; the static
// program has only ours (Debian ships ZXing-C++ only as a shared library), so a run that asks
// for ZXing-C++ is taken over by its dynamically linked twin. Nothing when this build cannot
// have the readers asked for.
std::optional<verify::Readers> ReadersFor(const cli::CliOptions& o,
                                          [[maybe_unused]] char** handOver) {
    using Readers = cli::CliOptions::Readers;
    verify::Readers readers = verify::BuiltReaders();
    if (!o.verify) return readers;
    const bool independent = o.verifyWith == Readers::kZxing || o.verifyWith == Readers::kBoth;
#ifdef DIDUZOZOZ_VERIFIER_NAME
    if (independent && !readers.independent && handOver) {
        cli::HandOverTo(DIDUZOZOZ_VERIFIER_NAME, DIDUZOZOZ_VERIFIER_INSTALLED, handOver);
    }
#endif
    if (independent && !readers.independent) return std::nullopt;
    if (o.verifyWith == Readers::kOwn) readers.independent = nullptr;
    if (o.verifyWith == Readers::kZxing) readers.own = nullptr;
    return readers;
}

// handOver: the original arguments, for the twin that verifies to take the run over; none on
// Windows, where the program verifies itself.
int Run(const std::vector<std::string>& args, [[maybe_unused]] char** handOver) {
    cli::SetUpStandardStreams();
    cli::ParseResult parsed = cli::ParseArguments(args);
    if (!parsed.options) {
        cli::WriteText(stderr, "diduzozoz-cli: " + parsed.error + " (see --help)\n");
        return 2;
    }
    const cli::CliOptions& o = *parsed.options;
    if (o.help) {
        cli::WriteText(stdout, cli::Usage());
        return 0;
    }
    if (o.version) {
        cli::WriteText(stdout, "diduzozoz-cli " DIDUZOZOZ_VERSION "\n");
        return 0;
    }
    std::optional<verify::Readers> readers = ReadersFor(o, handOver);
    if (!readers) {
        cli::WriteText(stderr,
                       "diduzozoz-cli: --verify=zxing and --verify=both need ZXing-C++, which "
                       "this build does not have\n");
        return 2;
    }
    if (o.Sheet()) return cli::RunSheets(o, *readers);
    if (o.Batch()) return cli::RunBatch(o, *readers);
    CliHost host(o);
    BarcodeJob job(host);
    cli::ApplyOptions(o, job);
    job.CreateBarcode();
    // With the image on stdout, stdout carries nothing else.
    std::FILE* status = o.ToStdout() ? stderr : stdout;
    cli::WriteText(status, job.m_strStatus + "\n");
    std::optional<verify::Verdict> verdict;
    if (o.verify) {
        if (host.exported) {
            verdict = verify::Verify(job.m_export, verify::MeantOf(job), *readers, o.VerifyPaper());
        }
        cli::WriteText(
            status,
            "verify\t" +
                cli::VerdictColumns(verdict ? &*verdict : nullptr, o.VerifyPaper().dpi > 0) + "\n");
    }
    std::fflush(status);
    if (!host.writeError.empty()) {
        cli::WriteText(stderr, "diduzozoz-cli: " + host.writeError + "\n");
        return 1;
    }
    if (!host.exported) return 1;
    if (verdict && verdict->outcome == verify::Outcome::kFail) return 3;
    return 0;
}

}  // namespace

#if defined(_WIN32)
// wmain, not main: main's arguments arrive in the ANSI code page, which cannot hold every
// file name and maps some characters to others (a full-width １ to 1).
int wmain(int argc, wchar_t** argv) {
    return Run(cli::Utf8Arguments(argc, argv), nullptr);
}
#else
int main(int argc, char** argv) {
    return Run({argv + 1, argv + argc}, argv);
}
#endif
