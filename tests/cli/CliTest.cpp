// diduzozoz-cli run as a process: status line, messages, exit codes and the files it writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PngRead.h"
#include "base/Strings.h"
#include "cli/CliRunner.h"

namespace {

namespace fs = std::filesystem;
namespace str = diduzozoz::str;
using diduzozoz::test::CliRun;
using diduzozoz::test::GreyImage;
using diduzozoz::test::ReadFile;
using diduzozoz::test::RunCli;

GreyImage ReadPngFile(const fs::path& p) {
    return diduzozoz::test::ReadPng(ReadFile(p));
}

class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("cli_files_" + std::to_string(diduzozoz::test::ProcessId()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(Cli, Nw7ExampleWritesTheExportAsPng) {
    const fs::path png = dir / "a12a.png";
    const CliRun run = RunCli({"--type", "nw7", "--code", "12", "-o", png.string()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "データ[　A12A　]の形で作成しました\n");
    EXPECT_EQ(run.err, "");
    const GreyImage img = ReadPngFile(png);
    ASSERT_EQ(img.width, 63);
    ASSERT_EQ(img.height, 80);
    auto pixel = [&](int x, int y) { return img.At(x, y); };
    for (std::uint8_t v : img.grey) ASSERT_TRUE(v == 0 || v == 255);
    EXPECT_EQ(pixel(11, 40), 255);
    EXPECT_EQ(pixel(12, 40), 0);  // the bars start at column 12
    EXPECT_EQ(pixel(13, 40), 255);
    EXPECT_EQ(pixel(12, 0), 255);
}

TEST_F(Cli, OutcomesTable) {
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string err;
    } rows[] = {
        {{"--type", "none"}, 1, std::string(str::kChooseType) + "\n", ""},
        {{"--type", "jan", "--code", "4901234567894"},
         1,
         "\n",
         std::string(str::kJanLength) + "\n"},
        {{"--type", "code39", "--code", "abc"}, 1, "\n", std::string(str::kCode39Code) + "\n"},
        {{"--type", "nw7", "--pattern", "0"}, 1, "\n", std::string(str::kChoosePattern) + "\n"},
        // A refused check digit is a message, and the barcode is still made.
        {{"--type", "nw7", "--code", "12", "--cd", "--pattern", "3"},
         0,
         "データ[　A12A　]の形で作成しました\n",
         std::string(str::kCdMod11Length) + "\n"},
        {{"--type", "nw7", "--code", "12", "--cd", "--start", "B", "--stop", "D"},
         0,
         "データ[　B125D　]の形で作成しました\n",
         ""},
        // The customer barcode from the address; an address number with a character it
        // cannot hold.
        {{"--type", "postal", "--cd", "--code", "2630023", "--address", "3丁目30-8 郵便ビル403号",
          "--text", "below"},
         0,
         "データ[　2630023 - 3-30-8-403　]の形で作成しました\n",
         ""},
        {{"--type", "postal", "--code", "263-0023", "--form", "address-number", "--ref", "3/30"},
         1,
         "\n",
         std::string(str::kAddressNumberChars) + "\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[1]);
        const CliRun run = RunCli(row.args);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
}

TEST_F(Cli, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--type"},
        {"--type", "qr"},
        {"--type", "nw7", "--frobnicate"},
        {"--type", "nw7", "--unit", "0"},
        {"--type", "nw7", "--unit", "abc"},
        {"--type", "nw7", "--unit", "+2"},
        {"--type", "nw7", "--height", "99999999999999"},
        {"--type", "nw7", "--margin-x", "-1"},
        {"--type", "nw7", "--pattern", "16"},
        {"--type", "nw7", "--start", "E"},
        {"--type", "nw7", "--stop", "AB"},
        {"--type", "code128", "--start", "D"},
        {"--type", "nw7", "--text", "left"},
        {"--type", "nw7", "-o", "out.bmp"},
        {"--type", "nw7", "-o", "out"},
        {"--type", "nw7", "--dpi", "71"},
        {"--type", "nw7", "--dpi", "2401"},
        {"--type", "nw7", "-o", "-"},                     // stdout needs a format
        {"--type", "nw7", "-o", "-", "--format", "gif"},  //
        {"--type", "nw7", "--format", "png"},             // a format with nowhere to go
        {"--type", "nw7", "-o", "x.png", "--format", "svg"},
        {"--type", "nw7", "--code", std::string(125, '1')},
        {"--type", "postal", "--ref", std::string(16, '1')},
        // The address forms take 120 bytes, checked once the form is known.
        {"--type", "postal", "--ref", std::string(121, '1'), "--form", "address-number"},
        {"--type", "postal", "--address", std::string(121, '1')},
        {"--type", "jan", "--address", "1"},
        {"--type", "postal", "--address", "1", "--ref", "1"},
        {"--type", "postal", "--form", "digits", "--address", "1"},
        {"--type", "nw7", "--verify=all"},
        {"--type", "nw7", "--verify="},
        {"--type", "nw7", "--cd=1"},  // only --verify takes NAME=VALUE
    };
    for (const auto& args : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;  // exactly one line
        EXPECT_EQ(run.err.rfind("diduzozoz-cli: ", 0), 0u) << run.err;
    }
    // The limits are stated in the message.
    EXPECT_NE(RunCli({"--type", "nw7", "--code", std::string(125, '1')}).err.find("124"),
              std::string::npos);
    EXPECT_EQ(RunCli({"--type", "postal", "--ref", std::string(120, '1'), "--form", "address",
                      "--code", "1234567"})
                  .exitCode,
              0);
}

TEST_F(Cli, SvgAndHelpAndVersion) {
    const fs::path svg = dir / "b.svg";
    EXPECT_EQ(RunCli({"--type", "nw7", "--code", "1", "-o", svg.string()}).exitCode, 0);
    const std::string text = ReadFile(svg);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("width=\"53\" height=\"80\""), std::string::npos);
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--margin-y"), std::string::npos);
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("diduzozoz-cli ", 0), 0u);
}

// A file, stdout and batch mode give the same bytes; with the image on stdout, stderr carries
// the messages and then the status line, and a stdout that takes nothing is a failure.
TEST_F(Cli, OneImageEveryWayOut) {
    const std::vector<std::string> job = {"--type", "nw7",       "--code", "12",
                                          "--cd",   "--pattern", "3",      "--text",
                                          "below",  "--dpi",     "300"};
    std::ofstream(dir / "codes.ini") << "12\n";
    const std::string status = "データ[　A12A　]の形で作成しました\n";
    for (const char* format : {"png", "svg", "pdf", "eps"}) {
        SCOPED_TRACE(format);
        const fs::path file = dir / (std::string("x.") + format);
        auto args = job;
        args.insert(args.end(), {"-o", file.string()});
        const CliRun toFile = RunCli(args);
        EXPECT_EQ(toFile.exitCode, 0);
        EXPECT_EQ(toFile.out, status);
        const std::string bytes = ReadFile(file);
        ASSERT_GT(bytes.size(), 100u);

        args = job;
        args.insert(args.end(), {"-o", "-", "--format", format});
        const CliRun toStdout = RunCli(args);
        EXPECT_EQ(toStdout.exitCode, 0);
        EXPECT_TRUE(toStdout.out == bytes);
        EXPECT_EQ(toStdout.err, std::string(str::kCdMod11Length) + "\n" + status);

        args = {job.begin(), job.end()};
        args.erase(args.begin() + 2, args.begin() + 4);  // the code comes from the list
        args.insert(args.end(), {"--batch", (dir / "codes.ini").string(), "--out-dir", dir.string(),
                                 "--format", format});
        EXPECT_EQ(RunCli(args).exitCode, 0);
        EXPECT_TRUE(ReadFile(dir / (std::string("000001.") + format)) == bytes);
    }
#if !defined(_WIN32)
    auto args = job;
    args.insert(args.end(), {"-o", "-", "--format", "pdf"});
    args.insert(args.begin(), DIDUZOZOZ_CLI);
    const CliRun full = diduzozoz::test::RunProgram(args, "/dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("cannot write the image to stdout"), std::string::npos) << full.err;
#endif
}

// Arguments and file names are UTF-8 on every platform, and -o replaces what is there.
TEST_F(Cli, Utf8ArgumentsAndReplacedOutput) {
    // Refused, never read as the digits 12 it resembles.
    const CliRun fullWidth = RunCli({"--type", "code128", "--code", "１２", "--cd"});
    EXPECT_EQ(fullWidth.exitCode, 1);
    EXPECT_EQ(fullWidth.out, "\n");
    EXPECT_EQ(fullWidth.err, std::string(str::kCode128SetA) + "\n");
    const fs::path target = dir / u8"日本.png";
    const std::u8string name = target.u8string();
    const std::string arg(name.begin(), name.end());
    ASSERT_EQ(RunCli({"--type", "nw7", "--code", "1", "-o", arg}).exitCode, 0);
    EXPECT_EQ(ReadPngFile(target).width, 53);
    ASSERT_EQ(RunCli({"--type", "nw7", "--code", "12", "-o", arg}).exitCode, 0);
    EXPECT_EQ(ReadPngFile(target).width, 63);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

#if defined(_WIN32)
// A console shows the text as it is, whatever its code page: run by the Windows test script
// with a console, skipped without one.
TEST_F(Cli, ConsoleShowsTheText) {
    const auto shown = diduzozoz::test::RunCliOnConsole({"--type", "nw7", "--code", "12"});
    if (!shown) GTEST_SKIP() << "no console";
    EXPECT_EQ(*shown, "データ[　A12A　]の形で作成しました\n");
    EXPECT_EQ(diduzozoz::test::RunCliOnConsole({"--type", "code128", "--code", "１２", "--cd"}),
              std::string(str::kCode128SetA) + "\n\n");
}
#endif

TEST_F(Cli, UnwritableOutputLeavesNoFileBehind) {
    const fs::path missing = dir / "no-such-folder" / "x.png";
    const CliRun run = RunCli({"--type", "nw7", "--code", "12", "-o", missing.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));
    // A refused run does not touch an existing file.
    const fs::path existing = dir / "keep.png";
    std::ofstream(existing) << "old";
    EXPECT_EQ(RunCli({"--type", "jan", "--code", "1", "-o", existing.string()}).exitCode, 1);
    EXPECT_EQ(ReadFile(existing), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()),
              1);  // no temp files
}

}  // namespace
