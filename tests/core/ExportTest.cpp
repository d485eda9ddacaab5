// The exported image and its encodings: exactly the W x H rectangle, two colours, and PNG and
// SVG files that hold the same pixels.
#include <gtest/gtest.h>

#include <regex>
#include <utility>

#include "PngRead.h"
#include "base/BoundedCopy.h"
#include "core/TestHost.h"

namespace diduzozoz::test {
namespace {

// Decodes a PNG in memory to one byte per pixel (1 black).
ExportImage DecodePng(const std::vector<std::uint8_t>& bytes) {
    const GreyImage grey = ReadPng({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    ExportImage out;
    out.width = grey.width;
    out.height = grey.height;
    for (std::uint8_t g : grey.grey) {
        EXPECT_TRUE(g == 0 || g == 255) << int(g);
        out.pixels.push_back(g == 0 ? 1 : 0);
    }
    return out;
}

TEST(Export, ImageIsTheCanvasRectangle) {
    TestJob t(kSymbologyNw7, "12");
    t.job.m_nTextPosition = 1;
    ASSERT_TRUE(t.Run());
    const ExportImage& img = t.LastExport();
    ASSERT_EQ(img.pixels.size(), static_cast<std::size_t>(img.width * img.height));
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            ASSERT_EQ(img.At(x, y), t.job.m_canvas.Pixel(x, y));
            ASSERT_LE(img.At(x, y), 1);
        }
    }
}

TEST(Export, PngHoldsTheSamePixels) {
    for (int unit = 1; unit <= 3; ++unit) {
        TestJob t(kSymbologyNw7, "0123456789", kCheckDigitOn | 1);
        t.job.m_nLineUnit = unit;
        t.job.m_nTextPosition = 2;
        ASSERT_TRUE(t.Run());
        const std::vector<std::uint8_t> png = EncodePng(t.LastExport());
        ASSERT_GT(png.size(), 8u);
        EXPECT_EQ(png[24], 1);  // bit depth in IHDR: 1-bit
        EXPECT_EQ(png[25], 0);  // colour type: greyscale
        const ExportImage back = DecodePng(png);
        EXPECT_EQ(back.width, t.LastExport().width);
        EXPECT_EQ(back.height, t.LastExport().height);
        EXPECT_EQ(back.pixels, t.LastExport().pixels);
    }
    EXPECT_TRUE(EncodePng(ExportImage{}).empty());  // nothing to encode
}

TEST(Export, SvgHasOneRectanglePerBlackRun) {
    ExportImage img;
    img.width = 5;
    img.height = 3;
    img.pixels = {1, 1, 0, 1, 0,  //
                  1, 1, 0, 0, 1,  //
                  0, 0, 0, 0, 1};
    const std::string svg = EncodeSvg(img);
    EXPECT_NE(svg.find("viewBox=\"0 0 5 3\""), std::string::npos);
    EXPECT_NE(svg.find("crispEdges"), std::string::npos);
    // A run repeated in the rows below is one rectangle.
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"2\" height=\"2\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"3\" y=\"0\" width=\"1\" height=\"1\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"4\" y=\"1\" width=\"1\" height=\"2\"/>"), std::string::npos);
    const std::regex rect("<rect x=");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(svg.begin(), svg.end(), rect), std::sregex_iterator()),
        3);
}

// Every vector file and the printed page are drawn from these rectangles: together they must
// be exactly the black pixels, each pixel once, for real barcodes and for arbitrary images.
TEST(Export, RectanglesAreExactlyTheBlackPixels) {
    std::vector<ExportImage> images;
    struct Kind {
        int symbology;
        const char* code;
        int optionWord;
    };
    const Kind kinds[] = {
        {kSymbologyNw7, "0123456789", 0x11},   {kSymbologyCode39, "ABC-12", 0x11},
        {kSymbologyJan, "490123456789", 0x11}, {kSymbologyItf, "1234567", 0x11},
        {kSymbologyCode128, "HELLO-12", 0x11}, {kSymbologyPostal, "1234567", 0x11},
    };
    for (const Kind& k : kinds) {
        for (int text = 0; text <= 2; ++text) {
            TestJob t(k.symbology, k.code, k.optionWord);
            t.host.refNoCombo = "12";
            CopyText(t.job.m_szRefNo, "12");
            t.job.m_nTextPosition = text;
            t.job.m_nLineUnit = 1 + text;
            ASSERT_TRUE(t.Run()) << k.code << " "
                                 << (t.host.messages.empty() ? "" : t.host.messages[0]);
            images.push_back(t.LastExport());
        }
    }
    // Noise with runs of equal rows, and the corner cases of a run.
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (const auto& [w, h] : {std::pair{37, 23}, {1, 9}, {9, 1}, {64, 64}}) {
        ExportImage img{w, h, {}};
        for (int y = 0; y < h; ++y) {
            if (y > 0 && next() % 3 == 0) {  // a row like the one above
                img.pixels.insert(img.pixels.end(), img.pixels.end() - w, img.pixels.end());
                continue;
            }
            for (int x = 0; x < w; ++x) img.pixels.push_back(next() % 2);
        }
        images.push_back(img);
        images.push_back({w, h, std::vector<std::uint8_t>(w * h, 1)});
        images.push_back({w, h, std::vector<std::uint8_t>(w * h, 0)});
    }
    for (const ExportImage& img : images) {
        SCOPED_TRACE(std::to_string(img.width) + " x " + std::to_string(img.height));
        std::vector<int> cover(img.pixels.size(), 0);
        std::size_t runs = 0;
        for (int y = 0; y < img.height; ++y) {
            for (int x = 0; x < img.width; ++x) {
                runs += img.At(x, y) && (x == 0 || !img.At(x - 1, y));
            }
        }
        const std::vector<PixelRect> rects = BlackRectangles(img);
        EXPECT_LE(rects.size(), runs);
        for (const PixelRect& r : rects) {
            ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.width > 0 && r.height > 0 &&
                        r.x + r.width <= img.width && r.y + r.height <= img.height);
            for (int y = r.y; y < r.y + r.height; ++y) {
                for (int x = r.x; x < r.x + r.width; ++x) ++cover[y * img.width + x];
            }
        }
        for (std::size_t i = 0; i < cover.size(); ++i) {
            ASSERT_EQ(cover[i], img.pixels[i]) << "pixel " << i;
        }
    }
}

// The physical size each encoding states for a 63 x 80 image, worked out by hand:
// millimetres = pixels x 25.4 / dpi, points = pixels x 72 / dpi, pixels per metre =
// dpi / 0.0254 rounded. Sizes are cut, never rounded up, after their last digit.
TEST(Export, EveryEncodingStatesThePhysicalSize) {
    ExportImage img{63, 80, std::vector<std::uint8_t>(63 * 80, 0)};
    img.pixels[0] = 1;
    struct Row {
        int dpi;
        const char* svgSize;
        const char* pdfBox;
        const char* epsBoxes;
        std::uint32_t pixelsPerMetre;
    } rows[] = {
        {96, "width=\"16.66875mm\" height=\"21.166666mm\"", "/MediaBox [0 0 47.25 60]",
         "%%BoundingBox: 0 0 48 60\n%%HiResBoundingBox: 0 0 47.25 60\n", 3780},
        {300, "width=\"5.334mm\" height=\"6.773333mm\"", "/MediaBox [0 0 15.12 19.2]",
         "%%BoundingBox: 0 0 16 20\n%%HiResBoundingBox: 0 0 15.12 19.2\n", 11811},
        {2400, "width=\"0.66675mm\" height=\"0.846666mm\"", "/MediaBox [0 0 1.89 2.4]",
         "%%BoundingBox: 0 0 2 3\n%%HiResBoundingBox: 0 0 1.89 2.4\n", 94488},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        EXPECT_NE(EncodeSvg(img, row.dpi).find(row.svgSize), std::string::npos);
        EXPECT_NE(EncodeSvg(img, row.dpi).find("viewBox=\"0 0 63 80\""), std::string::npos);
        EXPECT_NE(EncodePdf(img, row.dpi).find(row.pdfBox), std::string::npos);
        EXPECT_NE(EncodeEps(img, row.dpi).find(row.epsBoxes), std::string::npos);
        // pHYs: pixels per unit across and down, then the unit (1: metre).
        const std::vector<std::uint8_t> png = EncodePng(img, row.dpi);
        const std::string bytes(png.begin(), png.end());
        const std::size_t at = bytes.find("pHYs");
        ASSERT_LT(at, bytes.find("IDAT"));
        auto be32 = [&](std::size_t i) {
            return std::uint32_t{png[i]} << 24 | std::uint32_t{png[i + 1]} << 16 |
                   std::uint32_t{png[i + 2]} << 8 | png[i + 3];
        };
        EXPECT_EQ(be32(at - 4), 9u);  // the chunk's length
        EXPECT_EQ(be32(at + 4), row.pixelsPerMetre);
        EXPECT_EQ(be32(at + 8), row.pixelsPerMetre);
        EXPECT_EQ(png[at + 12], 1);
        EXPECT_EQ(DecodePng(png).pixels, img.pixels);  // and libpng reads it back
    }
}

}  // namespace
}  // namespace diduzozoz::test
