// The vector files read by the programs people open them with: qpdf checks the PDF, and
// poppler, Ghostscript and librsvg rasterise each file at its own resolution to exactly the
// PNG's pixels, for every code type with its caption.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PngRead.h"
#include "cli/CliRunner.h"

namespace diduzozoz::test {
namespace {

namespace fs = std::filesystem;

struct Grey {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    bool operator==(const Grey&) const = default;
};

Grey ReadPngGrey(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    GreyImage image = ReadPng(bytes);
    return Grey{image.width, image.height, std::move(image.grey)};
}

// Where two rasters first differ, for the failure message.
std::string FirstDifference(const Grey& a, const Grey& b) {
    if (a.width != b.width || a.height != b.height) {
        return std::to_string(a.width) + "x" + std::to_string(a.height) + " against " +
               std::to_string(b.width) + "x" + std::to_string(b.height);
    }
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        if (a.pixels[i] != b.pixels[i]) {
            return "pixel (" + std::to_string(i % a.width) + ", " + std::to_string(i / a.width) +
                   "): " + std::to_string(a.pixels[i]) + " against " + std::to_string(b.pixels[i]);
        }
    }
    return "equal";
}

TEST(VectorFiles, RasteriseToThePngAtTheirResolution) {
    for (const char* tool : {"qpdf", "pdftoppm", "gs", "rsvg-convert"}) {
        if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
    }
    const fs::path dir = fs::temp_directory_path() / ("vector_test_" + std::to_string(ProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::vector<std::vector<std::string>> jobs = {
        {"--type", "nw7", "--code", "0123456789", "--cd", "--text", "below"},
        {"--type", "code39", "--code", "ABC-12", "--cd", "--text", "above", "--unit", "2"},
        {"--type", "jan", "--code", "490123456789", "--cd", "--text", "below"},
        {"--type", "itf", "--code", "1234567", "--cd", "--text", "above", "--unit", "3"},
        {"--type", "code128", "--code", "Hello 128", "--start", "B", "--cd", "--text", "below"},
        {"--type", "postal", "--code", "1234567", "--ref", "12", "--cd", "--text", "above"},
    };
    for (const std::string dpi : {"96", "300"}) {
        for (const auto& job : jobs) {
            SCOPED_TRACE(job[1] + " at " + dpi + " dpi");
            for (const char* ext : {"png", "pdf", "eps", "svg"}) {
                auto args = job;
                args.insert(args.end(), {"--dpi", dpi, "-o", (dir / "a.").string() + ext});
                ASSERT_EQ(RunCli(args).exitCode, 0) << ext;
            }
            const Grey png = ReadPngGrey(dir / "a.png");
            ASSERT_GT(png.width, 0);
            for (std::uint8_t v : png.pixels) ASSERT_TRUE(v == 0 || v == 255);

            const CliRun check = RunProgram({"qpdf", "--check", (dir / "a.pdf").string()});
            EXPECT_EQ(check.exitCode, 0) << check.out << check.err;

            // Raster sizes come from float arithmetic rounded up, which can add a sliver of a
            // column to an exact page size; the image's own pixels are compared.
            const std::string w = std::to_string(png.width);
            const std::string h = std::to_string(png.height);
            const std::string pdfRaster = (dir / "pdf").string();
            ASSERT_EQ(
                RunProgram({"pdftoppm", "-r", dpi, "-x", "0", "-y", "0", "-W", w, "-H", h, "-png",
                            "-gray", "-singlefile", (dir / "a.pdf").string(), pdfRaster})
                    .exitCode,
                0);
            const Grey fromPdf = ReadPngGrey(pdfRaster + ".png");
            EXPECT_TRUE(fromPdf == png) << "pdftoppm: " << FirstDifference(fromPdf, png);

            const fs::path epsRaster = dir / "eps.png";
            ASSERT_EQ(RunProgram({"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop",
                                  "-r" + dpi, "-sDEVICE=pnggray",
                                  "-sOutputFile=" + epsRaster.string(), (dir / "a.eps").string()})
                          .exitCode,
                      0);
            const Grey fromEps = ReadPngGrey(epsRaster);
            EXPECT_TRUE(fromEps == png) << "Ghostscript: " << FirstDifference(fromEps, png);

            // librsvg has no crop: the drawing at the image's pixel size (the millimetre size
            // is checked on its own).
            const fs::path svgRaster = dir / "svg.png";
            ASSERT_EQ(RunProgram({"rsvg-convert", "-w", w, "-h", h, "-o", svgRaster.string(),
                                  (dir / "a.svg").string()})
                          .exitCode,
                      0);
            const Grey fromSvg = ReadPngGrey(svgRaster);
            EXPECT_TRUE(fromSvg == png) << "librsvg: " << FirstDifference(fromSvg, png);
        }
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace diduzozoz::test
