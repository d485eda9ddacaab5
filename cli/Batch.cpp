#include "cli/Batch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/BoundedCopy.h"
#include "base/Quote.h"
#include "cli/FileOutput.h"
#include "cli/ListItems.h"
#include "cli/OrderedWindow.h"
#include "cli/Platform.h"
#include "cli/VerifyOutput.h"
#include "job/BarcodeJob.h"

namespace diduzozoz::cli {
namespace {

// Items are rendered a chunk at a time, at most a window of chunks ahead of the reporting.
constexpr std::size_t kChunk = 64;
constexpr std::size_t kWindowChunks = 16;

struct ItemResult {
    std::string status;
    std::string messages;  // "NNNNNN<TAB>text\n" lines
    bool exported = false;
    std::string writeError;
    std::string verdict;  // the --verify columns
    bool verifyFailed = false;
};

// A chunk of consecutive items of the list: read, rendered and reported together.
struct Chunk {
    std::size_t first = 0;  // the list index of its first item
    std::size_t count = 0;
    std::vector<std::string> codes;
    std::vector<std::string> refs;
    std::vector<ItemResult> results;
};

class BatchHost : public JobHost {
  public:
    void ShowMessage(const std::string& text) override {
        result->messages += number;
        result->messages += '\t';
        result->messages += text;
        result->messages += '\n';
    }
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return code; }
    std::string RefNoComboText() override { return ref; }
    void ExportToClipboard(const ExportImage& image) override {
        result->exported = true;
        if (!EncodeOutput(image, format, dpi, encoded, result->writeError, &png)) return;
        WriteOutputFile(path, encoded, result->writeError);
    }

    ItemResult* result = nullptr;
    std::string number;
    std::string code;
    std::string ref;
    std::string path;
    OutputFormat format = OutputFormat::kPng;
    int dpi = kDefaultDpi;
    PngEncoder png;  // compression state and buffers reused across items
    std::vector<std::uint8_t> encoded;
};

std::string Number(std::size_t index) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06zu", index + 1);
    return buf;
}

// The batch's lists, read a chunk at a time.
class ItemLists {
  public:
    explicit ItemLists(ListItems& items) : m_items(items) {}

    // Reads the n-th chunk's items (from 0).
    ChunkFill Read(Chunk& chunk, std::size_t n) {
        chunk.first = n * kChunk;
        chunk.count = 0;
        chunk.codes.resize(kChunk);
        chunk.refs.resize(kChunk);
        while (chunk.count < kChunk &&
               m_items.Next(chunk.codes[chunk.count], chunk.refs[chunk.count])) {
            ++chunk.count;
        }
        if (chunk.count == kChunk) return ChunkFill::kFull;
        return chunk.count > 0 ? ChunkFill::kLast : ChunkFill::kNone;
    }

  private:
    ListItems& m_items;
};

// Renders items one after another on one thread, each into its numbered file and its result.
class ItemRenderer {
  public:
    ItemRenderer(const CliOptions& options, const verify::Readers& readers)
        : m_options(options),
          m_readers(readers),
          m_extension(std::string(".") + ImageFormatName(ImageFormatOf(options.format))),
          m_job(m_host),
          m_item(options) {
        m_host.format = options.format;
        m_host.dpi = options.dpi;
    }

    void Render(std::size_t index, const std::string& code, const std::string& ref, ItemResult& r) {
        r.status.clear();  // cleared, not replaced: the buffers are reused
        r.messages.clear();
        r.writeError.clear();
        r.exported = false;
        m_host.result = &r;
        m_host.number = Number(index);
        m_item.code = code;
        m_item.ref = ref;
        m_host.code = m_item.code;
        m_host.ref = m_item.ref;
        m_host.path = m_options.outDir + "/" + m_host.number + m_extension;
        // Every item starts from the start values, exactly like a single run, so nothing of
        // an earlier item (its status line, say) depends on the thread.
        static_cast<BarcodeSettings&>(m_job) = BarcodeSettings{};
        ApplyOptions(m_item, m_job);
        m_job.CreateBarcode();
        r.status = m_job.m_strStatus;
        if (m_options.verify) {
            std::optional<verify::Verdict> verdict;
            const verify::Paper paper = m_options.VerifyPaper();
            if (r.exported) {
                verdict = verify::Verify(m_job.m_export, verify::MeantOf(m_job), m_readers, paper);
            }
            r.verdict = VerdictColumns(verdict ? &*verdict : nullptr, paper.dpi > 0);
            r.verifyFailed = verdict && verdict->outcome == verify::Outcome::kFail;
        }
    }

  private:
    const CliOptions& m_options;
    const verify::Readers m_readers;
    const std::string m_extension;
    BatchHost m_host;
    BarcodeJob m_job;
    CliOptions m_item;  // the options with the item's code and reference number
};

// A progress bar on stderr when it is a terminal: items done, the total, the rate.
class Progress {
  public:
    explicit Progress(const CliOptions& options) : m_start(std::chrono::steady_clock::now()) {
        m_enabled = StderrIsTerminal();
        // The list is rendered as it is read; a first pass just counts its items.
        if (m_enabled) {
            ListItems counter(options);
            std::string error, code, ref;
            if (counter.Open(error)) {
                while (counter.Next(code, ref)) ++m_total;
            }
        }
    }
    bool enabled() const { return m_enabled; }
    void Update(std::size_t done) {
        if (!m_enabled) return;
        const auto now = std::chrono::steady_clock::now();
        if (now - m_last < std::chrono::milliseconds(100)) return;
        m_last = now;
        Show(done, now);
    }
    void Clear(std::size_t done) {
        if (!m_enabled) return;
        Show(done, std::chrono::steady_clock::now());
        WriteText(stderr, "\r\033[K");
    }

  private:
    void Show(std::size_t done, std::chrono::steady_clock::time_point now) {
        const double secs = std::chrono::duration<double>(now - m_start).count();
        constexpr int kBar = 30;
        const int filled =
            m_total ? static_cast<int>(kBar * std::min(done, m_total) / m_total) : kBar;
        char line[128];
        std::snprintf(line, sizeof line, "\r[%.*s%*s] %zu/%zu  %.0f/s", filled,
                      "==============================", kBar - filled, "", done, m_total,
                      secs > 0 ? done / secs : 0.0);
        WriteText(stderr, line);
        std::fflush(stderr);
    }

    bool m_enabled = false;
    std::size_t m_total = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last{};
};

// What a batch says about its items, in list order: a line per item on stdout; on stderr its
// messages (unless the progress bar has the terminal) and its write error; the progress; the
// exit code. Reports come one chunk at a time, never two at once.
class BatchReport {
  public:
    explicit BatchReport(const CliOptions& options)
        : m_verify(options.verify), m_progress(options) {}

    void Report(const Chunk& chunk) {
        m_out.clear();
        for (std::size_t k = 0; k < chunk.count; ++k) {
            const ItemResult& r = chunk.results[k];
            const std::string number = Number(chunk.first + k);
            m_out += number;
            m_out += '\t';
            m_out += r.status;
            if (m_verify) {
                m_out += '\t';
                m_out += r.verdict;
            }
            m_out += '\n';
            if (!m_progress.enabled()) {
                WriteText(stderr, r.messages);
            }
            if (!r.writeError.empty()) {
                WriteText(stderr, number + "\tdiduzozoz-cli: " + r.writeError + "\n");
            }
            m_allExported = m_allExported && r.exported && r.writeError.empty();
            m_anyVerifyFailed = m_anyVerifyFailed || r.verifyFailed;
        }
        WriteText(stdout, m_out);
        m_items = chunk.first + chunk.count;
        m_progress.Update(m_items);
    }

    // Once every chunk is reported: the process exit code.
    int Finish() {
        m_progress.Clear(m_items);
        std::fflush(stdout);
        if (!m_allExported) return 1;
        return m_anyVerifyFailed ? 3 : 0;
    }

  private:
    const bool m_verify;
    Progress m_progress;
    bool m_allExported = true;
    bool m_anyVerifyFailed = false;
    std::size_t m_items = 0;  // items reported so far
    std::string m_out;        // the chunk's stdout lines, written at once
};

}  // namespace

int RunBatch(const CliOptions& o, const verify::Readers& readers) {
    // Lists are read as they are rendered, so memory stays the same for any list length.
    ListItems items(o);
    if (std::string error; !items.Open(error)) {
        WriteText(stderr, "diduzozoz-cli: " + error + "\n");
        return 2;
    }
    if (!IsFolder(o.outDir)) {
        WriteText(stderr,
                  "diduzozoz-cli: the output folder " + Quoted(o.outDir) + " does not exist\n");
        return 2;
    }
    ItemLists lists(items);
    BatchReport report(o);
    // Chunks are read in list order and rendered on any thread; lines go out in list order.
    OrderedWindow<Chunk> window(kWindowChunks);
    auto worker = [&] {
        ItemRenderer renderer(o, readers);
        window.Run([&](Chunk& chunk, std::size_t n) { return lists.Read(chunk, n); },
                   [&](Chunk& chunk) {
                       chunk.results.resize(kChunk);
                       for (std::size_t k = 0; k < chunk.count; ++k) {
                           renderer.Render(chunk.first + k, chunk.codes[k], chunk.refs[k],
                                           chunk.results[k]);
                       }
                   },
                   [&](const Chunk& chunk) { report.Report(chunk); });
    };

    const int jobs = std::max(1, o.jobs);
    if (jobs == 1) {
        worker();
    } else {
        std::vector<std::thread> threads;
        for (int t = 0; t < jobs; ++t) threads.emplace_back(worker);
        for (std::thread& t : threads) t.join();
    }
    return report.Finish();
}

}  // namespace diduzozoz::cli
