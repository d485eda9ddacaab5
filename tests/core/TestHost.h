// A recording JobHost for the core tests, and helpers to look at what a run drew.
#pragma once

#include <string>
#include <vector>

#include "job/BarcodeJob.h"

namespace diduzozoz::test {

class RecordingHost : public JobHost {
  public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void RefreshStatus(const std::string& status) override { statuses.push_back(status); }
    std::string CodeComboText() override { return codeCombo; }
    std::string RefNoComboText() override { return refNoCombo; }
    void RequestRepaint() override { ++repaints; }
    void ExportToClipboard(const ExportImage& image) override { exports.push_back(image); }

    std::string codeCombo;
    std::string refNoCombo;
    std::vector<std::string> messages;
    std::vector<std::string> statuses;
    std::vector<ExportImage> exports;
    int repaints = 0;
};

// A job with its own recording host, set up as the dialog's start values leave it, with the
// code combo and m_szCode holding code.
struct TestJob {
    explicit TestJob(int symbology, const std::string& code = "", int optionWord = 0x01);
    void SetCode(const std::string& code);  // the combo and m_szCode, as the combo handler does
    bool Run() { return job.CreateBarcode(); }
    const ExportImage& LastExport() const { return host.exports.back(); }

    RecordingHost host;
    BarcodeJob job{host};
};

// The modules of a row of an image, read at the centre column of each module:
// "1" for black, "0" for white, starting at x0 and stepping by unit.
std::string ModulesAt(const ExportImage& image, int y, int x0, int unit, int count);
// The row's pixels as "0"/"1" from x0 to x1 (exclusive).
std::string RowBits(const ExportImage& image, int y, int x0, int x1);
// Same for a canvas.
std::string CanvasRow(const BarCanvas& canvas, int y, int x0, int x1);
std::string CanvasColumn(const BarCanvas& canvas, int x, int y0, int y1);
// Whether the canvas holds any black pixel.
bool CanvasIsWhite(const BarCanvas& canvas);

}  // namespace diduzozoz::test
