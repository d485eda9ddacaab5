// Command lines nobody should type: every byte value in a code for every type, very long
// codes, and outputs that cannot be written. Clear refusals, never a crash or a broken line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/Strings.h"
#include "cli/CliRunner.h"

namespace diduzozoz::test {
namespace {

namespace fs = std::filesystem;

bool ValidUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80             ? 0
                          : (b & 0xE0) == 0xC0 ? 1
                          : (b & 0xF0) == 0xE0 ? 2
                          : (b & 0xF8) == 0xF0 ? 3
                                               : -1;
        if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) return false;
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

// Every byte value; Windows, where a process start costs a hundred times more, takes the
// bytes a command line treats specially and a sample of the others. A lone byte above 0x7F
// reaches a Windows program as U+FFFD: its command line is UTF-16.
std::vector<int> ByteValues() {
    std::vector<int> bytes;
#if defined(_WIN32)
    bytes = {'\t', '\n', ' ', '"', '\\', 0x7F, 0x80, 0xFF};
    for (int b = 1; b < 0x7F; b += 16) bytes.push_back(b);
#else
    for (int b = 1; b < 256; ++b) bytes.push_back(b);
#endif
    return bytes;
}

TEST(HostileCli, EveryByteValueInACodeOfEveryType) {
    const std::set<std::string> messages = {
        str::kNw7Code,
        str::kCode39Code,
        str::kDigitsOnly,
        str::kJanLength,
        str::kCode128SetA,
        str::kCode128SetB,
        str::kCode128SetC,
        str::kPostalLength,
        str::kCdDigitsOnly,
        str::kCdMod11Length,
        str::kCdWeightedMod11Digits,
    };
    const char* types[] = {"nw7", "code39", "jan", "itf", "code128", "postal"};
    for (const char* type : types) {
        for (int b : ByteValues()) {
            // The byte inside an otherwise valid code, with the check digit on.
            std::string code = std::string(type) == "jan" ? "49012345678" : "123456";
            code.insert(code.begin() + 2, static_cast<char>(b));
            const CliRun run = RunCli({"--type", type, "--cd", "--code", code, "--text", "below"});
            SCOPED_TRACE(std::string(type) + " byte " + std::to_string(b));
            ASSERT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode << " " << run.err;
            ASSERT_TRUE(ValidUtf8(run.out)) << run.out;
            ASSERT_EQ(run.out.find('\n'), run.out.size() - 1);  // exactly one status line
            std::size_t start = 0;
            while (start < run.err.size()) {
                const std::size_t end = run.err.find('\n', start);
                ASSERT_NE(end, std::string::npos);
                ASSERT_TRUE(messages.count(run.err.substr(start, end - start))) << run.err;
                start = end + 1;
            }
        }
    }
}

TEST(HostileCli, CodesOfTenThousandBytesAreRefusedWithTheLimit) {
    const CliRun run = RunCli({"--type", "code128", "--code", std::string(10000, 'A')});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("124"), std::string::npos);
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
    const CliRun ref =
        RunCli({"--type", "postal", "--code", "1234567", "--ref", std::string(10000, '1')});
    EXPECT_EQ(ref.exitCode, 2);
    EXPECT_NE(ref.err.find("15"), std::string::npos);
}

TEST(HostileCli, OutputThatCannotBeWritten) {
    const fs::path dir = fs::temp_directory_path() / ("hostile_cli_" + std::to_string(ProcessId()));
    fs::create_directories(dir);
    std::ofstream(dir / "file") << "a file, not a folder";
    // Through a file as if it were a folder, into a folder that does not exist, onto a folder.
    fs::create_directories(dir / "taken.png");
    for (const fs::path& target :
         {dir / "file" / "x.png", dir / "none" / "x.png", dir / "taken.png"}) {
        const CliRun run = RunCli({"--type", "nw7", "--code", "12", "-o", target.string()});
        EXPECT_EQ(run.exitCode, 1) << target;
        EXPECT_EQ(run.err.rfind("diduzozoz-cli: cannot write", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
    }
    EXPECT_TRUE(fs::is_directory(dir / "taken.png"));
    // Nothing left behind: no temporary files beside the targets.
    std::size_t entries = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace diduzozoz::test
