// diduzozoz-cli --verify: the verdict line of single runs, the verdict columns of batch items,
// and exit code 3. Plain --verify reads in-process with our reader; --verify=both is handed to
// the twin with ZXing-C++, so its "both" is also proof that the hand-over took place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"

namespace diduzozoz::test {
namespace {

namespace fs = std::filesystem;

std::string SecondLine(const std::string& out) {
    const std::size_t first = out.find('\n');
    return first == std::string::npos ? "" : out.substr(first + 1);
}

TEST(VerifyCli, SingleRunOfEveryType) {
    struct Row {
        std::vector<std::string> args;
        std::string line;
        int exitCode;
        std::string onPaper = {};  // the columns after READER, with --dpi
    };
    const Row rows[] = {
        {{"--type", "nw7", "--code", "12", "--cd"}, "verify\tok\tCODABAR\tA125A\t-", 0},
        {{"--type", "code39", "--code", "CODE39", "--cd"}, "verify\tok\tCODE39\tCODE39\t-", 0},
        {{"--type", "jan", "--code", "490123456789", "--cd", "--unit", "3", "--margin-x", "33"},
         "verify\tok\tEAN-13\t4901234567894\t-",
         0},
        // An EAN-13 beginning with 0 is also a UPC-A symbol; for JAN it is still EAN-13.
        {{"--type", "jan", "--code", "074810479771", "--cd", "--unit", "2", "--margin-x", "35"},
         "verify\tok\tEAN-13\t0748104797715\t-",
         0},
        {{"--type", "code128", "--code", "ABC", "--cd", "--start", "B"},
         "verify\tok\tCODE128\tABC\t-",
         0},
        // The sets chosen for the fewest symbols; GS1-128's payment code, its check digit
        // appended (the margins of unit 1 are too narrow at unit 2).
        {{"--type", "code128", "--form", "auto", "--cd", "--code", "AB12345678cd"},
         "verify\tok\tCODE128\tAB12345678cd\t-",
         0},
        {{"--type", "code128", "--form", "gs1", "--cd", "--code",
          "(91)91234501234567890123456789010103310123000", "--unit", "2", "--text", "below"},
         "verify\tfail\tGS1-128\t91912345012345678901234567890101033101230003\t"
         "quiet-zone-left:6/10,quiet-zone-right:5/10",
         3},
        {{"--type", "itf", "--code", "1234", "--cd"},
         "verify\tfail\t-\t-\titf-not-interleaved,not-read",
         3},
        {{"--type", "nw7", "--code", "12", "--unit", "2"},
         "verify\tfail\tCODABAR\tA12A\tquiet-zone-left:6/10,quiet-zone-right:5/10",
         3},
        {{"--type", "postal", "--code", "1234567", "--ref", "12", "--cd"},
         "verify\tfail\tJAPAN-POST\t1234567 - 12\tquiet-zone-right:1/3.3",
         3},
        {{"--type", "jan", "--code", "12"}, "verify\tnone\t-\t-\t-", 1},  // refused
        {{"--type", "jan", "--form", "jan8", "--cd", "--code", "4901234", "--text", "below"},
         "verify\tok\tEAN-8\t49012347\t-",
         0},
        {{"--type", "itf", "--form", "itf14", "--cd", "--code", "1490123456789", "--unit", "2",
          "--text", "below"},
         "verify\tok\tITF\t14901234567891\t-",
         0},
        {{"--type", "itf", "--form", "interleaved", "--code", "123"},
         "verify\tfail\t-\t-\titf-too-short:4/6,not-read",
         3},
        // With --dpi the size too: a module of 25.4 / 300 mm is under GS1's 0.264, and 38 px of
        // bars, 3.2 mm, under the 18.28 it asks at the least; 4 pixels make 0.339 mm, and
        // 278 px 23.5 mm, what 22.85 x 0.339 / 0.330 asks.
        {{"--type", "jan", "--code", "490123456789", "--cd", "--dpi", "300"},
         "verify\tfail\tEAN-13\t4901234567894\tx-dimension:0.085/0.264mm,"
         "warning:bar-height:3.2/18.3mm",
         3,
         "\t0.085mm\t3.2mm"},
        {{"--type", "jan", "--code", "490123456789", "--cd", "--unit", "4", "--height", "280",
          "--margin-x", "60", "--dpi", "300"},
         "verify\tok\tEAN-13\t4901234567894\t-",
         0,
         "\t0.339mm\t23.5mm"},
        {{"--type", "jan", "--code", "12", "--dpi", "300"}, "verify\tnone\t-\t-\t-", 1, "\t-\t-"},
    };
    for (const Row& row : rows) {
#ifdef DIDUZOZOZ_HAVE_TWIN
        const char* const verifies[] = {"--verify", "--verify=both"};
#else
        const char* const verifies[] = {"--verify"};
#endif
        for (const char* verify : verifies) {
            std::vector<std::string> args = row.args;
            args.push_back(verify);
            std::string trace;
            for (const std::string& arg : args) trace += arg + " ";
            SCOPED_TRACE(trace);
            // The same verdict from either; the postal code has only our read-back.
            const std::string reader = row.exitCode == 1                   ? "-"
                                       : args[1] == "postal"               ? "own"
                                       : std::string(verify) == "--verify" ? "own"
                                                                           : "both";
            const CliRun run = RunCli(args);
            EXPECT_EQ(SecondLine(run.out), row.line + "\t" + reader + row.onPaper + "\n");
            EXPECT_EQ(run.exitCode, row.exitCode);
        }
    }
#ifndef DIDUZOZOZ_HAVE_TWIN
    // Without ZXing-C++ a run that asks for it is refused, not read with ours instead.
    const CliRun run = RunCli({"--type", "nw7", "--code", "12", "--verify=both"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
#endif
}

#if !defined(_WIN32)
// The short JAN and ITF-14 as a user makes them, read by zbar, a reader of its own.
TEST(VerifyCli, FormsReadByZbar) {
    if (!OnPath("zbarimg")) GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    const fs::path dir = fs::temp_directory_path() / ("forms_cli_" + std::to_string(ProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string j8 = (dir / "j8.png").string(), c = (dir / "c.png").string();
    EXPECT_EQ(RunCli({"--type", "jan", "--form", "jan8", "--cd", "--code", "4901234", "--text",
                      "below", "-o", j8})
                  .exitCode,
              0);
    EXPECT_EQ(RunCli({"--type", "itf", "--form", "itf14", "--cd", "--code", "1490123456789",
                      "--unit", "2", "--text", "below", "-o", c})
                  .exitCode,
              0);
    EXPECT_EQ(RunProgram({"zbarimg", "-q", j8, c}).out, "EAN-8:49012347\nI2/5:14901234567891\n");
    fs::remove_all(dir);
}
#endif

TEST(VerifyCli, BatchItemsGetVerdictColumns) {
    const fs::path dir = fs::temp_directory_path() / ("verify_cli_" + std::to_string(ProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir / "out");
    std::ofstream(dir / "codes.ini", std::ios::binary) << "12\n1A2\n";
    const CliRun run = RunCli({"--type", "nw7", "--verify", "--batch", (dir / "codes.ini").string(),
                               "--out-dir", (dir / "out").string(), "--jobs", "2"});
    EXPECT_EQ(run.out,
              "000001\tデータ[　A12A　]の形で作成しました\tok\tCODABAR\tA12A\t-\town\n"
              "000002\tデータ[　A1A2A　]の形で作成しました\tfail\t-\t-\t"
              "nw7-letter-in-data,not-read\town\n");
    EXPECT_EQ(run.exitCode, 3);  // everything exported, one item failed the check
    fs::remove_all(dir);
}

}  // namespace
}  // namespace diduzozoz::test
