// One barcode job: the settings, the canvas and the pattern table the code types share, and
// the Create command above them. The job reaches the outside world only through the JobHost
// its shell gives it.
#pragma once

#include <string>

#include "render/ExportImage.h"
#include "symbology/Context.h"

namespace diduzozoz {

class JobHost {
  public:
    virtual ~JobHost() = default;
    // Shows one modal message with an OK button and returns when it is dismissed.
    virtual void ShowMessage(const std::string& text) = 0;
    // The status line changed; show it now.
    virtual void RefreshStatus(const std::string& status) = 0;
    // Current texts of the code combo and the reference-number combo.
    virtual std::string CodeComboText() = 0;
    virtual std::string RefNoComboText() = 0;
    // The canvas changed; repaint the preview when convenient.
    virtual void RequestRepaint() {}
    // A drawing is complete: hand the W x H image to other programs.
    virtual void ExportToClipboard(const ExportImage& image) = 0;
};

// Geometry the core draws; anything outside is refused before a pixel is drawn, so no number
// from a caller ever sizes a buffer unchecked. Wider than the dialog's controls can set.
inline constexpr int kMinLineUnit = 1;
inline constexpr int kMaxLineUnit = 8;
inline constexpr int kMinBarHeight = 1;
inline constexpr int kMaxBarHeight = 600;
inline constexpr int kMinMargin = 0;
inline constexpr int kMaxMargin = 200;

class BarcodeJob final : public CreateContext {
  public:
    explicit BarcodeJob(JobHost& host) : m_host(host) {}
    ~BarcodeJob() = default;

    // The Create command: clear, check, check digit, render, restore. Returns true when the
    // run handed a complete image to the host.
    bool CreateBarcode();

    // Pixels of one module of the code type chosen, as its drawings are exported.
    int ModulePixels() const;

    // CreateContext
    void ShowMessage(const char* text) override;
    void SetStatus(std::string text) override;
    void RequestRepaint() override { m_host.RequestRepaint(); }
    void Export(int w, int h) override;
    void RestoreCode() override;
    void RestoreRefNo() override;

    ExportImage m_export;

  private:
    bool SettingsAreDrawable();

    JobHost& m_host;
    bool m_exported = false;
};

}  // namespace diduzozoz
