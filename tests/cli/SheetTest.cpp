// Label sheets as a printer gets them: each PDF rasterised by poppler at the printer's
// resolution, every label's rectangle cropped and read by our reader. One table over the
// built-in layouts and custom ones checks the codes and their order across sheets, the labels
// left empty (before the first, holes, after the last), that nothing is drawn outside a label,
// and that every bar and space is a whole number of barcode pixels in dots, so bars of a kind
// are equal, a pixel as many dots as the code's standard needs. A second table checks the
// refusals: a clear message and nothing written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "render/ExportImage.h"
#include "sheet/Layout.h"
#include "symbology/BarcodeSettings.h"
#include "verify/OwnReader.h"

namespace diduzozoz::test {
namespace {

namespace fs = std::filesystem;

fs::path TempDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / (name + "_" + std::to_string(ProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

#if !defined(_WIN32)

// A binary PGM as pdftoppm -gray writes it, as black (grey below half) and white.
ExportImage ReadPgm(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    ExportImage image;
    if (magic != "P5" || w <= 0 || h <= 0 || max != 255) return image;
    std::vector<char> grey(static_cast<std::size_t>(w) * h);
    in.read(grey.data(), static_cast<std::streamsize>(grey.size()));
    image.width = w;
    image.height = h;
    image.pixels.resize(grey.size());
    for (std::size_t i = 0; i < grey.size(); ++i) {
        image.pixels[i] = static_cast<unsigned char>(grey[i]) < 128 ? 1 : 0;
    }
    return image;
}

ExportImage Crop(const ExportImage& page, const sheet::DotRect& r) {
    ExportImage out;
    out.width = static_cast<int>(r.width);
    out.height = static_cast<int>(r.height);
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const std::int64_t px = r.x + x, py = r.y + y;
            if (px < page.width && py < page.height) {
                out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                    page.pixels[static_cast<std::size_t>(py) * page.width + px];
            }
        }
    }
    return out;
}

std::int64_t BlackCount(const ExportImage& image) {
    std::int64_t n = 0;
    for (std::uint8_t p : image.pixels) n += p;
    return n;
}

// The widths of the runs of black and of white between the first and the last black pixel
// of the row through the middle of the bars (the tallest black column's middle).
std::vector<int> RunsThroughBars(const ExportImage& image) {
    int bestX = -1, top = 0, bottom = 0, best = 0;
    for (int x = 0; x < image.width; ++x) {
        int y = 0;
        while (y < image.height) {
            while (y < image.height && !image.At(x, y)) ++y;
            const int start = y;
            while (y < image.height && image.At(x, y)) ++y;
            if (y - start > best) best = y - start, bestX = x, top = start, bottom = y;
        }
    }
    std::vector<int> runs;
    if (bestX < 0) return runs;
    const int y = (top + bottom) / 2;
    int x = 0;
    while (x < image.width && !image.At(x, y)) ++x;
    int end = image.width;
    while (end > x && !image.At(end - 1, y)) --end;
    while (x < end) {
        const int colour = image.At(x, y);
        int start = x;
        while (x < end && image.At(x, y) == colour) ++x;
        runs.push_back(x - start);
    }
    return runs;
}

int Ean13Check(const std::string& twelve) {
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i) sum += (twelve[i] - '0') * (i % 2 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

std::vector<std::string> JanSerial(long long first, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        const std::string twelve = std::to_string(first + i);
        out.push_back(twelve + std::to_string(Ean13Check(twelve)));
    }
    return out;
}

std::vector<std::string> Empty(int n) {
    return std::vector<std::string>(n, "");
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct SheetCase {
    const char* name;
    std::vector<std::string> args;  // everything but -o
    int symbology;
    std::vector<std::string> list;  // the --batch file's lines, when the row has one
    // What each label of every sheet reads as, in filling order; "" for a label left white.
    std::vector<std::string> labels;
    int dots;  // a barcode pixel in printer dots: every bar and space a multiple of it
    // The narrowest bar or space at least this wide in millimetres (GS1's 0.264 for JAN).
    double minModule = 0;
};

TEST(Sheets, EveryLabelReadsBackInOrderWithEqualBars) {
    if (!OnPath("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const fs::path dir = TempDir("sheet_test");
    const std::vector<SheetCase> cases = {
        {"a4-4x11, 44 serial JAN",
         {"--type", "jan", "--cd", "--code", "490123400001", "--serial", "44", "--sheet",
          "a4-4x11"},
         kSymbologyJan,
         {},
         JanSerial(490123400001, 44),
         7,  // 6 dots (1/96 inch) would give 0.254 mm
         0.264},
        {"a4-3x8, 24 serial JAN at 300 dpi",
         {"--type", "jan", "--cd", "--code", "490123400001", "--serial", "24", "--sheet", "a4-3x8",
          "--printer-dpi", "300"},
         kSymbologyJan,
         {},
         JanSerial(490123400001, 24),
         4,  // not 3: 0.254 mm again
         0.264},
        {"a4-3x8 from label 5, CODE39 with caption, 300 dpi, onto a second sheet",
         {"--type", "code39", "--code", "A000998B", "--serial", "30", "--text", "below", "--sheet",
          "a4-3x8", "--first-label", "5", "--printer-dpi", "300"},
         kSymbologyCode39,
         {},
         [] {
             std::vector<std::string> v = Empty(4);
             for (int i = 0; i < 30; ++i) {
                 char code[16];
                 std::snprintf(code, sizeof code, "A%06dB", 998 + i);
                 v.push_back(code);
             }
             return v + Empty(14);
         }(),
         3},
        {"a4-2x6, CODE128 twice each, 1200 dpi",
         {"--type", "code128", "--start", "B", "--cd", "--code", "LOT-0998", "--serial", "5",
          "--copies", "2", "--sheet", "a4-2x6", "--printer-dpi", "1200"},
         kSymbologyCode128,
         {},
         std::vector<std::string>{"LOT-0998", "LOT-0998", "LOT-0999", "LOT-0999", "LOT-1000",
                                  "LOT-1000", "LOT-1001", "LOT-1001", "LOT-1002", "LOT-1002", "",
                                  ""},
         13},
        {"custom B5 with pitch and margins, a list with a refused item left as a hole",
         {"--type", "jan", "--cd", "--sheet", "b5:3x4:50x30:55x40:10x20", "--leave-holes",
          "--printer-dpi", "360"},
         kSymbologyJan,
         {"490123400010", "49012340001X", "490123400011"},
         JanSerial(490123400010, 1) + Empty(1) + JanSerial(490123400011, 1) + Empty(9),
         4,  // 3.75 dots to 1/96 inch: 0.282 mm
         0.264},
        {"custom letter, centred, a list whose refused item takes no label",
         {"--type", "nw7", "--sheet", "letter:2x3:80x50", "--first-label", "2"},
         kSymbologyNw7,
         {"100", "1E0", "101"},
         Empty(1) + std::vector<std::string>{"A100A", "A101A"} + Empty(3),
         6},
    };
    for (const SheetCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path pdf = dir / "sheet.pdf";
        fs::remove(pdf);
        std::vector<std::string> args = c.args;
        if (!c.list.empty()) {
            std::ofstream(dir / "codes.ini", std::ios::binary) << [&] {
                std::string text;
                for (const std::string& line : c.list) text += line + "\n";
                return text;
            }();
            args.insert(args.end(), {"--batch", (dir / "codes.ini").string()});
        }
        args.insert(args.end(), {"-o", pdf.string()});
        const CliRun run = RunCli(args);
        const bool refusals = !c.list.empty();  // each list row has a refused item
        ASSERT_EQ(run.exitCode, refusals ? 1 : 0) << run.err << run.out;

        std::string layoutText, error;
        int dpi = 600;
        for (std::size_t i = 0; i + 1 < c.args.size(); ++i) {
            if (c.args[i] == "--sheet") layoutText = c.args[i + 1];
            if (c.args[i] == "--printer-dpi") dpi = std::stoi(c.args[i + 1]);
        }
        const sheet::Layout layout = sheet::ParseLayout(layoutText, error);
        ASSERT_EQ(error, "");
        const int perSheet = layout.Labels();
        ASSERT_EQ(c.labels.size() % perSheet, 0u);
        const int sheets = static_cast<int>(c.labels.size() / perSheet);

        for (const fs::path& old : fs::directory_iterator(dir)) {
            if (old.extension() == ".pgm") fs::remove(old);
        }
        const CliRun raster = RunProgram({"pdftoppm", "-r", std::to_string(dpi), "-gray",
                                          pdf.string(), (dir / "page").string()});
        ASSERT_EQ(raster.exitCode, 0) << raster.err;
        const int dots = c.dots;
        for (int s = 0; s < sheets; ++s) {
            // pdftoppm numbers pages with as many digits as the last one has.
            const fs::path file = dir / ("page-" + std::to_string(s + 1) + ".pgm");
            const ExportImage page = ReadPgm(file);
            ASSERT_GT(page.width, 0) << file;
            std::int64_t insideLabels = 0;
            for (int i = 0; i < perSheet; ++i) {
                const std::string& want = c.labels[static_cast<std::size_t>(s) * perSheet + i];
                SCOPED_TRACE("sheet " + std::to_string(s + 1) + ", label " + std::to_string(i + 1));
                const ExportImage crop = Crop(page, sheet::LabelDots(layout, i, dpi));
                insideLabels += BlackCount(crop);
                if (want.empty()) {
                    EXPECT_EQ(BlackCount(crop), 0);
                    continue;
                }
                const verify::ReadResult read =
                    verify::OwnReader().Read(crop, verify::ReadRequest{c.symbology, false});
                EXPECT_EQ(read.bytes, want);
                const std::vector<int> runs = RunsThroughBars(crop);
                ASSERT_FALSE(runs.empty());
                for (int run : runs) EXPECT_EQ(run % dots, 0) << run << " dots";
                const int module = *std::min_element(runs.begin(), runs.end());
                EXPECT_GE(module * 25.4 / dpi, c.minModule) << module << " dots";
            }
            EXPECT_EQ(insideLabels, BlackCount(page)) << "black outside the labels";
        }
        EXPECT_FALSE(fs::exists(dir / ("page-" + std::to_string(sheets + 1) + ".pgm")))
            << "more pages than sheets";
    }
    fs::remove_all(dir);
}

#else

TEST(Sheets, EveryLabelReadsBackInOrderWithEqualBars) {
    GTEST_SKIP() << "pdftoppm (poppler) runs on the build machine, not under Wine";
}

#endif

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;  // everything but -o
    std::vector<std::string> list;  // the --batch file's lines, when the row has one
    int exitCode;
    const char* says;  // part of stderr
};

// Each refusal says what is wrong, and an older file at the output's name stays as it was.
TEST(Sheets, BadInputIsRefusedClearlyWithNothingWritten) {
    const fs::path dir = TempDir("sheet_refusals");
    const std::vector<std::string> jan = {"--type", "jan", "--cd", "--code", "490123400001"};
    auto with = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<RefusalCase> cases = {
        {"labels wider than the page",
         with(jan, {"--serial", "3", "--sheet", "a4:3x8:71x37"}),
         {},
         2,
         "do not fit the page: they reach 213 x 296.5 mm on a 210 x 297 mm page"},
        {"pitch less than the label",
         with(jan, {"--serial", "3", "--sheet", "a4:2x2:50x30:40x30"}),
         {},
         2,
         "the labels overlap"},
        {"a label of zero size",
         with(jan, {"--serial", "3", "--sheet", "a4:3x8:0x37"}),
         {},
         2,
         "must be greater than 0"},
        {"a negative size",
         with(jan, {"--serial", "3", "--sheet", "a4:3x8:-70x37"}),
         {},
         2,
         "must be greater than 0"},
        {"no columns",
         with(jan, {"--serial", "3", "--sheet", "a4:0x8:70x37"}),
         {},
         2,
         "1 to 100 columns"},
        {"unknown layout",
         with(jan, {"--serial", "3", "--sheet", "a4-9x9"}),
         {},
         2,
         "unknown sheet layout 'a4-9x9'"},
        {"a serial count of 0",
         with(jan, {"--serial", "0", "--sheet", "a4-4x11"}),
         {},
         2,
         "--serial takes a whole number from 1 to 100000, not '0'"},
        {"a serial count too large",
         with(jan, {"--serial", "100001", "--sheet", "a4-4x11"}),
         {},
         2,
         "from 1 to 100000"},
        {"a serial run past its digits",
         {"--type", "code39", "--code", "A998B", "--serial", "3", "--sheet", "a4-4x11"},
         {},
         2,
         "counting 3 codes from 'A998B' runs past its 3 digits (the last would be number 1000)"},
        {"a code without digits to count",
         {"--type", "code39", "--code", "ABC", "--serial", "3", "--sheet", "a4-4x11"},
         {},
         2,
         "'ABC' has no digits to count up"},
        {"a first label beyond the sheet",
         with(jan, {"--serial", "3", "--sheet", "a4-4x11", "--first-label", "45"}),
         {},
         2,
         "the first label is 1 to 44 on this sheet, not 45"},
        {"a barcode larger than its label, made larger to meet its standard",
         with(jan, {"--serial", "3", "--sheet", "a4:2x2:20x20"}),
         {},
         1,
         "the barcode (34.6 x 23.7 mm) is larger than its label (20 x 20 mm); 7 dots a barcode "
         "pixel at 600 dpi, not the nearest 6 (modules of 0.254 mm; JAN-13 needs at least "
         "0.264 mm)"},
        {"no whole number of dots gives the customer barcode its size",
         {"--type", "postal", "--code", "1234567", "--ref", "1", "--serial", "2", "--sheet",
          "a4-2x6", "--printer-dpi", "72"},
         {},
         1,
         "no whole number of dots a barcode pixel at 72 dpi gives the customer barcode its size "
         "(modules of 0.4 to 0.69 mm); the nearest, 1, gives modules of 0.706 mm"},
        {"a list that yields nothing",
         {"--type", "jan", "--cd", "--sheet", "a4-4x11"},
         {"", ""},
         1,
         "nothing to put on the sheet"},
        {"a list whose every item is refused",
         {"--type", "jan", "--cd", "--sheet", "a4-4x11"},
         {"12", "ABC"},
         1,
         "000002\t"},
        {"an output that cannot be written",
         with(jan, {"--serial", "3", "--sheet", "a4-4x11", "-o",
                    (dir / "no-such-folder" / "x.pdf").string()}),
         {},
         1,
         "cannot write"},
        {"a sheet without -o FILE.pdf",
         with(jan, {"--serial", "3", "--sheet", "a4-4x11", "-o", (dir / "x.png").string()}),
         {},
         2,
         "--sheet needs -o FILE.pdf"},
        {"codes from both a serial run and a list",
         with(jan, {"--serial", "3", "--batch", "x.ini", "--sheet", "a4-4x11"}),
         {},
         2,
         "one of them"},
        {"a sheet option without --sheet",
         with(jan, {"--copies", "2"}),
         {},
         2,
         "--copies goes with --sheet"},
    };
    const fs::path out = dir / "labels.pdf";
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(out, std::ios::binary | std::ios::trunc) << "older file";
        std::vector<std::string> args = c.args;
        if (!c.list.empty()) {
            std::string text;
            for (const std::string& line : c.list) text += line + "\n";
            std::ofstream(dir / "codes.ini", std::ios::binary) << text;
            args.insert(args.end(), {"--batch", (dir / "codes.ini").string()});
        }
        const bool ownOutput = std::find(args.begin(), args.end(), "-o") != args.end();
        if (!ownOutput) args.insert(args.end(), {"-o", out.string()});
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(ReadFile(out), "older file");
        // No temporary file left beside the output either.
        int files = 0;
        for (const fs::path& p : fs::directory_iterator(dir)) {
            files += p.filename() != "codes.ini" ? 1 : 0;
        }
        EXPECT_EQ(files, 1);
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace diduzozoz::test
