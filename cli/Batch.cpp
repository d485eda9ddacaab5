#include "cli/Batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dialog/CodeList.h"
#include "job/BarcodeJob.h"
#include "job/BoundedCopy.h"

namespace diduzozoz::cli {
namespace {

// A batch list may be far longer than a dialog's list; it is still read up to a bound.
constexpr std::size_t kMaxBatchFileBytes = std::size_t{256} * 1024 * 1024;
// Items are rendered a chunk at a time, at most a window of chunks ahead of the reporting.
constexpr std::size_t kChunk = 64;
constexpr std::size_t kWindowChunks = 16;

struct ItemResult {
    std::string status;
    std::string messages;  // "NNNNNN<TAB>text\n" lines
    bool exported = false;
    std::string writeError;
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
        if (format == OutputFormat::kPng) {
            if (!png.Encode(image, encoded)) {
                result->writeError = "cannot encode the image as PNG";
                return;
            }
            WriteFile(encoded.data(), encoded.size());
        } else {
            const std::string svg = EncodeSvg(image);
            WriteFile(svg.data(), svg.size());
        }
    }

    void WriteFile(const void* data, std::size_t size) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        bool ok = fd >= 0;
        const char* p = static_cast<const char*>(data);
        while (ok && size > 0) {
            const ssize_t n = ::write(fd, p, size);
            if (n < 0 && errno == EINTR) continue;
            ok = n > 0;
            if (ok) {
                p += n;
                size -= static_cast<std::size_t>(n);
            }
        }
        const int err = errno;
        if (fd >= 0 && ::close(fd) != 0) ok = false;
        if (!ok) {
            if (fd >= 0) ::unlink(path.c_str());  // never leave a partial image behind
            result->writeError = "cannot write " + Printable(path) + ": " + std::strerror(err);
        }
    }

    ItemResult* result = nullptr;
    std::string number;
    std::string code;
    std::string ref;
    std::string path;
    OutputFormat format = OutputFormat::kPng;
    PngEncoder png;  // compression state and buffers reused across items
    std::vector<std::uint8_t> encoded;
};

std::string Number(std::size_t index) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06zu", index + 1);
    return buf;
}

class Progress {
  public:
    explicit Progress(std::size_t total)
        : m_total(total), m_start(std::chrono::steady_clock::now()) {
        m_enabled = ::isatty(2) == 1;
    }
    bool enabled() const { return m_enabled; }
    void Update(std::size_t done) {
        if (!m_enabled) return;
        const auto now = std::chrono::steady_clock::now();
        if (done != m_total && now - m_last < std::chrono::milliseconds(100)) return;
        m_last = now;
        const double secs = std::chrono::duration<double>(now - m_start).count();
        const double rate = secs > 0 ? done / secs : 0.0;
        constexpr int kBar = 30;
        const int filled = m_total ? static_cast<int>(kBar * done / m_total) : kBar;
        std::fprintf(stderr, "\r[%.*s%*s] %zu/%zu  %.0f/s", filled,
                     "==============================", kBar - filled, "", done, m_total, rate);
        std::fflush(stderr);
    }
    void Clear() {
        if (m_enabled) std::fputs("\r\033[K", stderr);
    }

  private:
    std::size_t m_total;
    bool m_enabled = false;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last{};
};

}  // namespace

int RunBatch(const CliOptions& o) {
    const std::optional<std::string> codeBytes = ReadListFile(o.batchCodes, kMaxBatchFileBytes);
    if (!codeBytes) {
        std::fprintf(stderr, "diduzozoz-cli: cannot read the code list %s\n",
                     Printable(o.batchCodes).c_str());
        return 2;
    }
    const std::vector<std::string> codes = ParseCodeList(*codeBytes, kCodeListLineLimit);
    std::vector<std::string> refs;
    if (!o.batchRefs.empty()) {
        const std::optional<std::string> refBytes = ReadListFile(o.batchRefs, kMaxBatchFileBytes);
        if (!refBytes) {
            std::fprintf(stderr, "diduzozoz-cli: cannot read the reference-number list %s\n",
                         Printable(o.batchRefs).c_str());
            return 2;
        }
        refs = ParseCodeList(*refBytes, kRefNoListLineLimit);
    }
    struct stat st {};
    if (::stat(o.outDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "diduzozoz-cli: the output folder %s does not exist\n",
                     Printable(o.outDir).c_str());
        return 2;
    }

    const std::size_t n = codes.size();
    const char* extension = o.format == OutputFormat::kSvg ? ".svg" : ".png";
    const std::size_t chunks = (n + kChunk - 1) / kChunk;
    const int jobs =
        static_cast<int>(std::clamp<std::size_t>(o.jobs, 1, std::max<std::size_t>(chunks, 1)));

    // Items are claimed a chunk at a time; whichever thread finishes the oldest pending chunk
    // reports every finished chunk from there on, in order. The window bounds how far the
    // rendering runs ahead of the reporting, so memory stays flat for any list length.
    std::vector<std::vector<ItemResult>> ring(kWindowChunks, std::vector<ItemResult>(kChunk));
    std::vector<char> chunkDone(kWindowChunks, 0);
    std::mutex mutex;
    std::condition_variable windowMoved;
    std::size_t reportedChunks = 0;
    std::atomic<std::size_t> nextChunk{0};
    Progress progress(n);
    bool allExported = true;
    std::string out;

    auto report = [&](const std::vector<ItemResult>& results, std::size_t first,
                      std::size_t count) {
        out.clear();
        for (std::size_t k = 0; k < count; ++k) {
            const ItemResult& r = results[k];
            const std::string number = Number(first + k);
            out += number;
            out += '\t';
            out += r.status;
            out += '\n';
            if (!progress.enabled()) {
                std::fwrite(r.messages.data(), 1, r.messages.size(), stderr);
            }
            if (!r.writeError.empty()) {
                std::fprintf(stderr, "%s\tdiduzozoz-cli: %s\n", number.c_str(),
                             r.writeError.c_str());
            }
            allExported = allExported && r.exported && r.writeError.empty();
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
        progress.Update(first + count);
    };

    auto worker = [&] {
        BatchHost host;
        BarcodeJob job(host);
        CliOptions item = o;
        host.format = o.format;
        for (;;) {
            const std::size_t c = nextChunk.fetch_add(1);
            if (c >= chunks) return;
            const std::size_t slot = c % kWindowChunks;
            {
                std::unique_lock lock(mutex);
                windowMoved.wait(lock, [&] { return c < reportedChunks + kWindowChunks; });
            }
            std::vector<ItemResult>& results = ring[slot];
            const std::size_t first = c * kChunk;
            const std::size_t count = std::min(kChunk, n - first);
            for (std::size_t k = 0; k < count; ++k) {
                const std::size_t i = first + k;
                ItemResult& r = results[k];
                r.status.clear();  // cleared, not replaced: the buffers are reused
                r.messages.clear();
                r.writeError.clear();
                r.exported = false;
                host.result = &r;
                host.number = Number(i);
                item.code = codes[i];
                item.ref = i < refs.size() ? refs[i] : o.ref;
                host.code = item.code;
                host.ref = item.ref;
                host.path = o.outDir + "/" + host.number + extension;
                // Every item starts from the start values, exactly like a single run, so
                // nothing of an earlier item (its status line, say) depends on the thread.
                static_cast<BarcodeSettings&>(job) = BarcodeSettings{};
                ApplyOptions(item, job);
                job.CreateBarcode();
                r.status = job.m_strStatus;
            }
            std::unique_lock lock(mutex);
            chunkDone[slot] = 1;
            bool moved = false;
            while (reportedChunks < chunks && chunkDone[reportedChunks % kWindowChunks]) {
                const std::size_t done = reportedChunks % kWindowChunks;
                const std::size_t doneFirst = reportedChunks * kChunk;
                report(ring[done], doneFirst, std::min(kChunk, n - doneFirst));
                chunkDone[done] = 0;
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
    progress.Clear();
    std::fflush(stdout);
    return allExported ? 0 : 1;
}

}  // namespace diduzozoz::cli
