// The customer barcode of random address numbers, bar for bar against zint, an independent
// generator, wherever the data fits the 20 symbols zint takes.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "PngRead.h"
#include "ZintDump.h"
#include "cli/CliRunner.h"

namespace diduzozoz::test {
namespace {

namespace fs = std::filesystem;

// Bars as the sections they blacken: upper 4, middle 2, lower 1.
std::string BarsOfPng(const GreyImage& img) {
    std::string out;
    for (int x = 20; x + 2 <= img.width; x += 4) {
        int kind = 0;
        for (int s = 0; s < 3; ++s) {
            if (img.At(x, 24 + 4 * s + 2) == 0) kind |= 4 >> s;  // the start height's sections
        }
        out += static_cast<char>('0' + kind);
    }
    return out;
}

// zint's three rows (upper, middle, lower), a bar at every other module from the left.
std::string BarsOfZintDump(const std::string& dump) {
    const std::vector<std::string> rows = ZintRowsOfDump(dump);
    if (rows.size() != 3) return "unreadable dump: " + dump;
    std::string out;
    for (std::size_t i = 0; i < rows[1].size(); i += 2) {
        const int kind = (rows[0][i] == '1') * 4 + (rows[1][i] == '1') * 2 + (rows[2][i] == '1');
        if (kind == 0) break;  // past the stop symbol
        out += static_cast<char>('0' + kind);
    }
    return out;
}

TEST(PostalOracle, RandomAddressNumbersDrawAsZintDraws) {
    if (!OnPath("zint")) GTEST_SKIP() << "zint is not installed";
    const fs::path dir =
        fs::temp_directory_path() / ("postal_oracle_" + std::to_string(ProcessId()));
    fs::create_directories(dir);
    std::mt19937 random(20261209);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const std::string alphabet = "0123456789-ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; i < 60; ++i) {
        std::string postcode;
        for (int k = 0; k < 7; ++k) postcode += static_cast<char>('0' + pick(0, 9));
        // Up to 13 positions, a letter taking two: zint refuses what does not fit.
        std::string number;
        for (int room = pick(0, 13); room > 0;) {
            const char c = alphabet[pick(0, i % 3 ? 36 : 10)];
            const int takes = c >= 'A' ? 2 : 1;
            if (takes > room) break;
            number += c;
            room -= takes;
        }
        SCOPED_TRACE(postcode + " " + number);
        const fs::path png = dir / "p.png";
        const CliRun ours = RunCli({"--type", "postal", "--cd", "--code", postcode, "--form",
                                    "address-number", "--ref", number, "-o", png.string()});
        ASSERT_EQ(ours.exitCode, 0) << ours.err;
        const CliRun zint =
            RunProgram({"zint", "-b", "JAPANPOST", "--dump", "-d", postcode + number});
        ASSERT_EQ(zint.exitCode, 0) << zint.err;
        const std::string bars = BarsOfPng(ReadPng(ReadFile(png)));
        EXPECT_EQ(bars.size(), 67u);
        EXPECT_EQ(bars, BarsOfZintDump(zint.out));
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace diduzozoz::test
