#include "cli/Batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/BoundedCopy.h"
#include "cli/FileOutput.h"
#include "cli/Platform.h"
#include "cli/Printable.h"
#include "cli/VerifyOutput.h"
#include "job/BarcodeJob.h"
#include "lists/CodeList.h"

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
        FinishFile(CreateOutputFile(path), "", path, encoded, result->writeError);
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

// A progress bar on stderr when it is a terminal: items done, the total, the rate.
class Progress {
  public:
    explicit Progress(const std::string& listPath) : m_start(std::chrono::steady_clock::now()) {
        m_enabled = StderrIsTerminal();
        // The list is rendered as it is read; a first pass just counts its items.
        if (m_enabled) {
            if (auto counter = OpenListFile(listPath, kCodeListLineLimit)) {
                std::string item;
                while (counter->Next(item)) ++m_total;
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

}  // namespace

int RunBatch(const CliOptions& o, const verify::Reader* reader) {
    // Lists are read as they are rendered, so memory stays the same for any list length.
    const std::unique_ptr<CodeListReader> codes = OpenListFile(o.batchCodes, kCodeListLineLimit);
    if (!codes) {
        WriteText(stderr,
                  "diduzozoz-cli: cannot read the code list " + Printable(o.batchCodes) + "\n");
        return 2;
    }
    std::unique_ptr<CodeListReader> refs;
    if (!o.batchRefs.empty()) {
        refs = OpenListFile(o.batchRefs, kRefNoListLineLimit);
        if (!refs) {
            WriteText(stderr, "diduzozoz-cli: cannot read the reference-number list " +
                                  Printable(o.batchRefs) + "\n");
            return 2;
        }
    }
    if (!IsDirectory(o.outDir)) {
        WriteText(stderr,
                  "diduzozoz-cli: the output folder " + Printable(o.outDir) + " does not exist\n");
        return 2;
    }
    const std::string extension = std::string(".") + ImageFormatName(ImageFormatOf(o.format));
    const int jobs = std::max(1, o.jobs);

    // Chunks are read in list order, a chunk at a time under the read lock; whichever thread
    // finishes the oldest pending chunk reports every finished chunk from there on, in order.
    // The window bounds how far rendering runs ahead of reporting.
    struct Chunk {
        std::vector<std::string> codes;
        std::vector<std::string> refs;
        std::vector<ItemResult> results;
        std::size_t first = 0;
        std::size_t count = 0;
        bool done = false;
    };
    std::vector<Chunk> ring(kWindowChunks);
    std::mutex readMutex;
    std::mutex mutex;
    std::condition_variable windowMoved;
    std::size_t readChunks = 0;      // chunks taken from the lists so far
    std::size_t reportedChunks = 0;  // chunks written to stdout so far
    bool listEnded = false;
    bool refsEnded = refs == nullptr;
    Progress progress(o.batchCodes);
    bool allExported = true;
    bool anyVerifyFailed = false;
    std::size_t items = 0;
    std::string out;

    auto report = [&](const Chunk& chunk) {
        out.clear();
        for (std::size_t k = 0; k < chunk.count; ++k) {
            const ItemResult& r = chunk.results[k];
            const std::string number = Number(chunk.first + k);
            out += number;
            out += '\t';
            out += r.status;
            if (o.verify) {
                out += '\t';
                out += r.verdict;
            }
            out += '\n';
            if (!progress.enabled()) {
                WriteText(stderr, r.messages);
            }
            if (!r.writeError.empty()) {
                WriteText(stderr, number + "\tdiduzozoz-cli: " + r.writeError + "\n");
            }
            allExported = allExported && r.exported && r.writeError.empty();
            anyVerifyFailed = anyVerifyFailed || r.verifyFailed;
        }
        WriteText(stdout, out);
        items = chunk.first + chunk.count;
        progress.Update(items);
    };

    auto worker = [&] {
        BatchHost host;
        BarcodeJob job(host);
        CliOptions item = o;
        host.format = o.format;
        host.dpi = o.dpi;
        for (;;) {
            std::size_t c = 0;
            Chunk* chunk = nullptr;
            {
                std::lock_guard readLock(readMutex);
                if (listEnded) return;
                c = readChunks;
                {
                    std::unique_lock lock(mutex);
                    windowMoved.wait(lock, [&] { return c < reportedChunks + kWindowChunks; });
                }
                chunk = &ring[c % kWindowChunks];
                chunk->first = c * kChunk;
                chunk->count = 0;
                chunk->codes.resize(kChunk);
                chunk->refs.resize(kChunk);
                while (chunk->count < kChunk && codes->Next(chunk->codes[chunk->count])) {
                    std::string& ref = chunk->refs[chunk->count];
                    if (refsEnded || !refs->Next(ref)) {
                        refsEnded = true;
                        ref = o.ref;
                    }
                    ++chunk->count;
                }
                if (chunk->count < kChunk) listEnded = true;
                if (chunk->count == 0) return;
                ++readChunks;
            }
            chunk->results.resize(kChunk);
            for (std::size_t k = 0; k < chunk->count; ++k) {
                ItemResult& r = chunk->results[k];
                r.status.clear();  // cleared, not replaced: the buffers are reused
                r.messages.clear();
                r.writeError.clear();
                r.exported = false;
                host.result = &r;
                host.number = Number(chunk->first + k);
                item.code = chunk->codes[k];
                item.ref = chunk->refs[k];
                host.code = item.code;
                host.ref = item.ref;
                host.path = o.outDir + "/" + host.number + extension;
                // Every item starts from the start values, exactly like a single run, so
                // nothing of an earlier item (its status line, say) depends on the thread.
                static_cast<BarcodeSettings&>(job) = BarcodeSettings{};
                ApplyOptions(item, job);
                job.CreateBarcode();
                r.status = job.m_strStatus;
                if (o.verify) {
                    std::optional<verify::Verdict> verdict;
                    if (r.exported) {
                        verdict = verify::Verify(job.m_export, verify::MeantOf(job), reader);
                    }
                    r.verdict = VerdictColumns(verdict ? &*verdict : nullptr);
                    r.verifyFailed = verdict && verdict->outcome == verify::Outcome::kFail;
                }
            }
            std::unique_lock lock(mutex);
            chunk->done = true;
            bool moved = false;
            while (ring[reportedChunks % kWindowChunks].done) {
                Chunk& next = ring[reportedChunks % kWindowChunks];
                report(next);
                next.done = false;
                ++reportedChunks;
                moved = true;
            }
            lock.unlock();
            if (moved) windowMoved.notify_all();
        }
    };

    if (jobs == 1) {
        worker();
    } else {
        std::vector<std::thread> threads;
        for (int t = 0; t < jobs; ++t) threads.emplace_back(worker);
        for (std::thread& t : threads) t.join();
    }
    progress.Clear(items);
    std::fflush(stdout);
    if (!allExported) return 1;
    return anyVerifyFailed ? 3 : 0;
}

}  // namespace diduzozoz::cli
