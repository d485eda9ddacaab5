#include "core/TestHost.h"

#include "base/BoundedCopy.h"

namespace diduzozoz::test {

TestJob::TestJob(int symbology, const std::string& code, int optionWord) {
    job.m_nSymbology = symbology;
    if (int* word = job.OptionWord(symbology)) *word = optionWord;
    SetCode(code);
}

void TestJob::SetCode(const std::string& code) {
    host.codeCombo = code;
    CopyText(job.m_szCode, code);
}

std::string ModulesAt(const ExportImage& image, int y, int x0, int unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        const int x = x0 + i * unit;
        out += (x >= 0 && x < image.width && image.At(x, y)) ? '1' : '0';
    }
    return out;
}

std::string RowBits(const ExportImage& image, int y, int x0, int x1) {
    std::string out;
    for (int x = x0; x < x1; ++x) out += image.At(x, y) ? '1' : '0';
    return out;
}

std::string CanvasRow(const BarCanvas& canvas, int y, int x0, int x1) {
    std::string out;
    for (int x = x0; x < x1; ++x) out += canvas.Pixel(x, y) ? '1' : '0';
    return out;
}

std::string CanvasColumn(const BarCanvas& canvas, int x, int y0, int y1) {
    std::string out;
    for (int y = y0; y < y1; ++y) out += canvas.Pixel(x, y) ? '1' : '0';
    return out;
}

bool CanvasIsWhite(const BarCanvas& canvas) {
    for (int y = 0; y < canvas.UsedHeight(); ++y) {
        for (int x = 0; x < canvas.UsedWidth(); ++x) {
            if (canvas.Pixel(x, y)) return false;
        }
    }
    return true;
}

}  // namespace diduzozoz::test
