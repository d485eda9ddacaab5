// Pixel rules of the canvas and the shared drawing steps: lines, modules, margins, trim lines
// and caption placement.
#include <gtest/gtest.h>

#include "core/TestHost.h"
#include "render/CaptionFont.h"
#include "symbology/Code128.h"
#include "symbology/Skeleton.h"

namespace diduzozoz::test {
namespace {

struct LineCase {
    const char* what;
    int width, x1, y1, x2, y2;
    // Expected black rectangle [x0, x1) x [y0, y1).
    int bx0, by0, bx1, by1;
};

TEST(DrawLine, CoverageTable) {
    const LineCase cases[] = {
        {"1 px vertical covers y1..y2-1", 1, 5, 10, 5, 14, 5, 10, 6, 14},
        {"reversed covers y2+1..y1", 1, 5, 14, 5, 10, 5, 11, 6, 15},
        {"2 px: the extra column after", 2, 5, 10, 5, 14, 5, 10, 7, 14},
        {"3 px centred", 3, 5, 10, 5, 14, 4, 10, 7, 14},
        {"4 px", 4, 5, 10, 5, 14, 4, 10, 8, 14},
        {"1 px horizontal covers x1..x2-1", 1, 3, 10, 8, 10, 3, 10, 8, 11},
        {"2 px horizontal: the extra row below", 2, 3, 10, 8, 10, 3, 10, 8, 12},
        {"flat ends for wide pens", 3, 20, 5, 20, 6, 19, 5, 22, 6},
        {"zero length draws nothing", 3, 20, 5, 20, 5, 0, 0, 0, 0},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        BarCanvas canvas;
        canvas.DrawLine(kBlack, c.width, c.x1, c.y1, c.x2, c.y2);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                const bool inside = x >= c.bx0 && x < c.bx1 && y >= c.by0 && y < c.by1;
                ASSERT_EQ(canvas.Pixel(x, y), inside ? 1 : 0) << x << "," << y;
            }
        }
    }
}

TEST(DrawLine, TilesWithoutGapOrOverlapAndClipsSafely) {
    BarCanvas canvas;
    for (int w = 1; w <= 4; ++w) {
        canvas.ClearCanvas();
        // Alternate black and white lines w apart: exactly w columns each.
        for (int i = 0; i < 6; ++i)
            canvas.DrawLine(i % 2 ? kWhite : kBlack, w, 10 + i * w, 0, 10 + i * w, 3);
        std::string expected;
        for (int i = 0; i < 6; ++i) expected += std::string(w, i % 2 ? '0' : '1');
        const int first = 10 - (w - 1) / 2;
        EXPECT_EQ(CanvasRow(canvas, 1, first, first + 6 * w), expected) << w;
    }
    canvas.ClearCanvas();
    canvas.DrawLine(kBlack, 5, -10, -10, -10, 50);  // left of the canvas
    canvas.DrawLine(kBlack, 1, BarCanvas::kMaxWidth + 5, 0, BarCanvas::kMaxWidth + 5, 10);
    canvas.DrawLine(kBlack, 1, 0, 0, 10, 10);  // diagonal: not a line this program draws
    EXPECT_TRUE(CanvasIsWhite(canvas));
    canvas.DrawLine(7, 1, 3, 0, 3, 5);  // any colour but 1 is white
    EXPECT_TRUE(CanvasIsWhite(canvas));
}

// The caption cell at (x, y) holds exactly the glyphs of text, as the font draws them.
void ExpectGlyphs(const ExportImage& img, int x, int y, const std::string& text) {
    for (char c : text) {
        const CaptionGlyph& g = CaptionGlyphFor(static_cast<unsigned char>(c));
        for (int row = 0; row < kCaptionCellHeight; ++row) {
            for (int col = 0; col < g.width; ++col) {
                if (x + col >= img.width || y + row >= img.height || x + col < 0 || y + row < 0)
                    continue;
                const int want = (g.rows[row] & (0x8000u >> col)) ? 1 : 0;
                // The bottom trim line may cut the first two rows of a caption below the bars.
                ASSERT_EQ(img.At(x + col, y + row), want)
                    << "'" << c << "' col " << col << " row " << row;
            }
        }
        x += g.width;
    }
}

struct SkeletonCase {
    const char* what;
    int marginX, marginY, unit, textPosition;
    int firstModuleX;  // x0
    int captionX, captionY;
};

TEST(Skeleton, MarginsCaptionAndTrimLines) {
    const SkeletonCase cases[] = {
        {"start settings, text below", 10, 20, 1, 1, 12, 28, 60},
        {"text above", 10, 20, 1, 2, 12, 28, 2},
        {"margin 1", 1, 20, 1, 1, 3, 19, 60},
        {"margin 0", 0, 20, 1, 1, 2, 18, 60},
        {"unit 3, margin y 30", 10, 30, 3, 1, 12, 28, 70},
        {"no caption", 10, 20, 1, 0, 12, 0, 0},
    };
    for (const SkeletonCase& c : cases) {
        SCOPED_TRACE(c.what);
        TestJob t(kSymbologyNw7, "12");
        t.job.m_nMarginX = c.marginX;
        t.job.m_nMarginY = c.marginY;
        t.job.m_nLineUnit = c.unit;
        t.job.m_nTextPosition = c.textPosition;
        ASSERT_TRUE(t.Run());
        const ExportImage& img = t.LastExport();
        const int xEnd = c.firstModuleX + 41 * c.unit;
        EXPECT_EQ(img.width, xEnd + c.marginX);
        EXPECT_EQ(img.height, 40 + 2 * c.marginY);
        // The first module of "A" is a bar, centred on x0; the second a space.
        const int barRow = c.marginY + 20;
        EXPECT_EQ(img.At(c.firstModuleX, barRow), 1);
        EXPECT_EQ(img.At(c.firstModuleX - (c.unit - 1) / 2, barRow), 1);
        EXPECT_EQ(img.At(c.firstModuleX - (c.unit - 1) / 2 - 1, barRow), 0);
        EXPECT_EQ(img.At(c.firstModuleX + c.unit, barRow), 0);
        // Bars run from the trim line down to the last bar row; trim lines are 2 rows.
        const std::string column = [&] {
            std::string s;
            for (int y = 0; y < img.height; ++y) s += img.At(c.firstModuleX, y) ? '1' : '0';
            return s;
        }();
        EXPECT_EQ(column.find('1'), static_cast<std::size_t>(c.marginY + 2));
        EXPECT_EQ(column.rfind('1') < static_cast<std::size_t>(c.marginY + 40), true);
        EXPECT_EQ(img.At(c.firstModuleX, c.marginY + 39), 1);
        if (c.textPosition != 0) {
            // The caption runs on beyond W on the canvas; read it there.
            BarCanvas& canvas = t.job.m_canvas;
            ExportImage whole;
            whole.width = c.captionX + 40;
            whole.height = c.captionY + 16;
            canvas.CopyRect(whole.width, whole.height, whole.pixels);
            // Rows 0-1 of a caption below are under the bottom trim line; compare the rest.
            ExportImage cut = whole;
            for (int y = c.captionY; y < c.captionY + 2 && c.textPosition == 1; ++y) {
                for (int x = 0; x < whole.width; ++x) cut.pixels[y * whole.width + x] = 0;
            }
            ExpectGlyphs(cut, c.captionX, c.captionY, "A12A");
        } else {
            for (int y = 0; y < img.height; ++y) {
                for (int x = 0; x < img.width; ++x) {
                    if (y < c.marginY || y >= c.marginY + 40) {
                        ASSERT_EQ(img.At(x, y), 0);
                    }
                }
            }
        }
    }
}

TEST(Skeleton, Unit3FirstModuleCoversTheLastMarginColumn) {
    TestJob t(kSymbologyNw7, "12");
    t.job.m_nLineUnit = 3;
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(RowBits(t.LastExport(), 40, 9, 16), "0011100");  // band 11..13, then a space
}

TEST(Skeleton, MarginZeroStopsBeforeTheLastModuleCentre) {
    TestJob t(kSymbologyNw7, "12");
    t.job.m_nMarginX = 0;
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(t.LastExport().width, 2 + 41);  // W = xEnd
    EXPECT_EQ(RowBits(t.LastExport(), 40, 0, 3), "001");
}

// Modules are drawn row by row for speed; the pixels must be those of drawing every module
// as its own three lines.
TEST(DrawColumns, SameAsDrawingEveryModuleOnItsOwn) {
    unsigned seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % n);
    };
    RecordingHost host;
    BarcodeJob reference(host);
    BarcodeJob fast(host);
    for (int round = 0; round < 300; ++round) {
        const int unit = 1 + next(4);
        const int marginY = next(30);
        const int height = 1 + next(60);
        const int x0 = next(20) - 5;
        std::vector<std::uint8_t> colours(1 + next(40));
        for (auto& c : colours) c = next(2);
        for (BarcodeJob* j : {&reference, &fast}) {
            j->m_nLineUnit = unit;
            j->m_nMarginY = marginY;
            j->m_nBarHeight = height;
            j->m_canvas.ClearCanvas();
        }
        for (std::size_t i = 0; i < colours.size(); ++i) {
            DrawModule(reference, colours[i], x0 + static_cast<int>(i) * unit, 2);
        }
        fast.m_canvas.DrawColumns(colours.data(), static_cast<int>(colours.size()), x0, unit, 2,
                                  marginY, marginY + height, height + 2 * marginY);
        const int w = x0 + static_cast<int>(colours.size()) * unit + 4;
        const int h = height + 2 * marginY + 2;
        ASSERT_EQ(CanvasRow(reference.m_canvas, 0, 0, 1), "0");
        for (int y = 0; y < h; ++y) {
            ASSERT_EQ(CanvasRow(fast.m_canvas, y, 0, w), CanvasRow(reference.m_canvas, y, 0, w))
                << "round " << round << " row " << y;
        }
    }
}

TEST(Caption, ControlBytesAndUnknownBytesHaveVisibleGlyphs) {
    BarCanvas canvas;
    canvas.DrawText(0, 0, std::string("\x01\x81\xFF", 3), Code128InternalCodeName);
    // ␁ is 16 wide, «FNC1» six cells, U+FFFD one cell: all of them draw something.
    auto inked = [&](int x0, int x1) {
        for (int x = x0; x < x1; ++x) {
            for (int y = 0; y < 16; ++y) {
                if (canvas.Pixel(x, y)) return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inked(0, 16));
    EXPECT_TRUE(inked(16, 24));  // «
    EXPECT_TRUE(inked(56, 64));  // »
    EXPECT_TRUE(inked(64, 72));  // replacement glyph
    EXPECT_FALSE(inked(72, 100));
    canvas.DrawText(-100, -40, "far outside");  // nothing to draw, nothing to break
    canvas.ClearCanvas();
    canvas.DrawText(-4, 0, "AB");  // cut at the left edge
    EXPECT_TRUE(inked(0, 4));
}

}  // namespace
}  // namespace diduzozoz::test
