// A mailing list of 10,000 addresses drawn as customer barcodes by the command line's batch
// mode, in-process: the list saved from a spreadsheet (UTF-16, a postcode and an address a
// line), each address number taken from its address, each barcode written as a PNG file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "cli/Batch.h"
#include "verify/BuiltReaders.h"

namespace {

using namespace diduzozoz;
namespace fs = std::filesystem;

constexpr int kAddresses = 10000;

// Addresses after the town name in the ways people write them: digits, kanji numerals,
// full-width digits, buildings with letters and floors.
std::u16string Address(std::mt19937& random) {
    auto n = [&](int hi) {
        std::u16string digits;
        for (char c : std::to_string(std::uniform_int_distribution<int>(1, hi)(random))) {
            digits += static_cast<char16_t>(c);
        }
        return digits;
    };
    switch (random() % 4) {
        case 0:
            return n(9) + u"丁目" + n(40) + u"番" + n(30) + u"号 郵便プラザ" + n(999) + u"室";
        case 1:
            return n(9) + u"丁目" + n(99) + u"-" + n(20) + u" 郵便ビル" + n(20) + u"F";
        case 2:
            return u"十一丁目六番地一号 郵便タワー" + n(999);
        default:
            return u"６－７ ＬプラザＢ" + n(300);
    }
}

class Fixture : public benchmark::Fixture {
  public:
    void SetUp(const benchmark::State&) override {
        // In memory where there is such a folder, as bench/compare.sh does: the disk's own
        // time is not the program's.
        const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
        dir = base / ("bench_batch_" + std::to_string(::getpid()));
        fs::create_directories(dir / "out");
        std::mt19937 random(29);
        std::u16string text;
        for (int i = 0; i < kAddresses; ++i) {
            text += u"263-0023\t" + Address(random) + u"\r\n";
        }
        std::string bytes = "\xFF\xFE";
        for (char16_t u : text) {
            bytes += static_cast<char>(u & 0xFF);
            bytes += static_cast<char>(u >> 8);
        }
        std::ofstream(dir / "addresses.txt", std::ios::binary) << bytes;
    }
    void TearDown(const benchmark::State&) override { fs::remove_all(dir); }
    fs::path dir;
};

BENCHMARK_DEFINE_F(Fixture, MailingList)(benchmark::State& state) {
    cli::CliOptions o;
    o.symbology = kSymbologyPostal;
    o.checkDigit = true;
    o.form = kPostalFormAddress;
    o.batchCodes = (dir / "addresses.txt").string();
    o.outDir = (dir / "out").string();
    o.format = cli::OutputFormat::kPng;
    o.jobs = static_cast<int>(state.range(0));
    // The item lines go nowhere; the benchmark's own report stays on the terminal.
    std::fflush(stdout);
    const int saved = ::dup(1);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    int exit = 0;
    for (auto _ : state) {
        state.PauseTiming();  // every run writes its files anew
        fs::remove_all(o.outDir);
        fs::create_directories(o.outDir);
        state.ResumeTiming();
        exit = cli::RunBatch(o, verify::BuiltReaders());
    }
    std::fflush(stdout);
    ::dup2(saved, 1);
    ::close(null);
    ::close(saved);
    if (exit != 0) state.SkipWithError("an address was not drawn");
    state.counters["per_address"] = benchmark::Counter(
        kAddresses, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK_REGISTER_F(Fixture, MailingList)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
