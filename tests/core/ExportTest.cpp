// The exported image and its encodings: exactly the W x H rectangle, two colours, and PNG and
// SVG files that hold the same pixels.
#include <gtest/gtest.h>

#include <regex>

#include "PngRead.h"
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
    img.height = 2;
    img.pixels = {1, 1, 0, 1, 0,  //
                  0, 0, 0, 0, 1};
    const std::string svg = EncodeSvg(img);
    EXPECT_NE(svg.find("width=\"5\" height=\"2\""), std::string::npos);
    EXPECT_NE(svg.find("crispEdges"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"2\" height=\"1\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"3\" y=\"0\" width=\"1\" height=\"1\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"4\" y=\"1\" width=\"1\" height=\"1\"/>"), std::string::npos);
    const std::regex rect("<rect x=");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(svg.begin(), svg.end(), rect), std::sregex_iterator()),
        3);
}

}  // namespace
}  // namespace diduzozoz::test
