// Batch mode of diduzozoz-cli: list rules, numbering, pairing of reference numbers, exit
// codes, partial failures and output that does not depend on the number of threads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "PngRead.h"
#include "base/Strings.h"
#include "cli/CliRunner.h"

namespace diduzozoz::test {
namespace {

namespace fs = std::filesystem;

class Batch : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("batch_test_" + std::to_string(ProcessId()));
        fs::remove_all(dir);
        fs::create_directories(dir / "out");
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    std::string Out() const { return (dir / "out").string(); }
    fs::path dir;
};

TEST_F(Batch, ListRulesNumberingAndPartialFailure) {
    const std::string codes =
        Write("codes.ini", "12\n\nXX\n34\r\n" + std::string(121, '1') + "\nlast");
    const CliRun run =
        RunCli({"--type", "nw7", "--batch", codes, "--out-dir", Out(), "--jobs", "2"});
    EXPECT_EQ(run.exitCode, 1);  // one item was refused; the others are still written
    EXPECT_EQ(run.out,
              "000001\tデータ[　A12A　]の形で作成しました\n"
              "000002\tデータ[　AA　]の形で作成しました\n"
              "000003\t\n"
              "000004\tデータ[　A34A　]の形で作成しました\n");
    EXPECT_EQ(run.err, std::string("000003\t") + str::kNw7Code + "\n");
    EXPECT_TRUE(fs::exists(dir / "out/000001.png"));
    EXPECT_TRUE(fs::exists(dir / "out/000002.png"));
    EXPECT_FALSE(fs::exists(dir / "out/000003.png"));
    EXPECT_TRUE(fs::exists(dir / "out/000004.png"));
    EXPECT_FALSE(fs::exists(dir / "out/000005.png"));
}

TEST_F(Batch, ImagesEqualSingleRuns) {
    const std::string codes = Write("codes.ini", "ABC\nHello\n");
    const CliRun run = RunCli({"--type", "code128", "--start", "B", "--cd", "--text", "below",
                               "--batch", codes, "--out-dir", Out()});
    EXPECT_EQ(run.exitCode, 0);
    const std::string single = (dir / "single.png").string();
    ASSERT_EQ(RunCli({"--type", "code128", "--start", "B", "--cd", "--text", "below", "--code",
                      "Hello", "-o", single})
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(dir / "out/000002.png"), ReadFile(single));
    EXPECT_EQ(ReadPng(ReadFile(single)).height, 80);  // written byte for byte
}

TEST_F(Batch, PostalReferenceNumbersArePairedLineByLine) {
    const std::string codes = Write("codes.ini", "1234567\n7654321\n1111111\n");
    const std::string refs = Write("refs.ini", "12\n\n");
    const CliRun run = RunCli({"--type", "postal", "--cd", "--ref", "9", "--batch", codes,
                               "--batch-refs", refs, "--out-dir", Out(), "--format", "svg"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "000001\tデータ[　1234567 - 12　]の形で作成しました\n"
              "000002\tデータ[　7654321 - 　]の形で作成しました\n"
              "000003\tデータ[　1111111 - 9　]の形で作成しました\n");
    EXPECT_EQ(ReadFile(dir / "out/000003.svg").rfind("<?xml", 0), 0u);
}

// A mailing list saved from a spreadsheet as "Unicode text": UTF-16 with its mark, a
// postcode and the address in columns (the building in a second one, or quoted with commas),
// the header line too. Drawn as a batch, and as labels that all read back as meant.
TEST_F(Batch, MailingListFromASpreadsheetInTheAddressForm) {
    const std::u16string text =
        u"郵便番号\t住所\r\n"
        u"263-0023\t3丁目30-8\t郵便ビル403号\r\n"
        u"\"100-0013\",\"1丁目3番2号, 郵便プラザ503室\"\r\n"
        u"1000013\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    const std::string list = Write("addresses.txt", bytes);
    const CliRun run = RunCli(
        {"--type", "postal", "--cd", "--form", "address", "--batch", list, "--out-dir", Out()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, std::string("000001\t\n"
                                   "000002\tデータ[　2630023 - 3-30-8-403　]の形で作成しました\n"
                                   "000003\tデータ[　1000013 - 1-3-2-503　]の形で作成しました\n"
                                   "000004\tデータ[　1000013 - 　]の形で作成しました") +
                           str::kPostalNoteNoNumber + "\n");
    EXPECT_EQ(run.err, std::string("000001\t") + str::kDigitsOnly + "\n");

    const CliRun sheet = RunCli({"--type", "postal", "--cd", "--form", "address", "--batch", list,
                                 "--sheet", "a4-2x6", "-o", (dir / "labels.pdf").string()});
    EXPECT_EQ(sheet.exitCode, 1);  // the header line got no label
    EXPECT_EQ(sheet.out,
              "labels 3, sheets 1: 3 passed the read-back, 0 did not; 1 items refused\n");
}

TEST_F(Batch, OutputIsTheSameForAnyNumberOfThreads) {
    std::string list;
    for (int i = 0; i < 300; ++i) {
        list += (i % 7 == 3) ? "BAD*" : std::to_string(i * 7919 % 100000);
        list += '\n';
    }
    const std::string codes = Write("codes.ini", list);
    fs::create_directories(dir / "out4");
    const CliRun one = RunCli({"--type", "nw7", "--cd", "--pattern", "3", "--text", "above",
                               "--batch", codes, "--out-dir", Out(), "--jobs", "1"});
    const CliRun four =
        RunCli({"--type", "nw7", "--cd", "--pattern", "3", "--text", "above", "--batch", codes,
                "--out-dir", (dir / "out4").string(), "--jobs", "4"});
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(four.exitCode, 1);
    EXPECT_EQ(one.out, four.out);
    EXPECT_EQ(one.err, four.err);
    EXPECT_NE(one.err.find(str::kCdMod11Length), std::string::npos);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir / "out")) {
        ++files;
        EXPECT_EQ(ReadFile(entry.path()), ReadFile(dir / "out4" / entry.path().filename()));
    }
    EXPECT_EQ(files, 300 - 300 / 7 - (300 % 7 > 3 ? 1 : 0));
}

TEST_F(Batch, UsageErrors) {
    const std::string codes = Write("codes.ini", "12\n");
    const std::vector<std::vector<std::string>> cases = {
        {"--type", "nw7", "--batch", (dir / "missing.ini").string(), "--out-dir", Out()},
        {"--type", "nw7", "--batch", dir.string(), "--out-dir", Out()},  // a folder is no list
        {"--type", "nw7", "--batch", codes, "--out-dir", (dir / "nowhere").string()},
        {"--type", "nw7", "--batch", codes},
        {"--type", "nw7", "--batch", codes, "--out-dir", Out(), "-o", "x.png"},
        {"--type", "nw7", "--batch", codes, "--out-dir", Out(), "--jobs", "0"},
        {"--type", "nw7", "--batch", codes, "--out-dir", Out(), "--format", "bmp"},
        {"--type", "nw7", "--code", "12", "--jobs", "2"},
    };
    for (const auto& args : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("diduzozoz-cli: ", 0), 0u) << run.err;
    }
    EXPECT_TRUE(fs::is_empty(dir / "out"));
}

}  // namespace
}  // namespace diduzozoz::test
