// One barcode job: the settings, the shared pattern table and canvas, and the Create command.
// The job reaches the outside world only through the JobHost its shell gives it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "job/BarcodeSettings.h"
#include "render/BarCanvas.h"
#include "render/ExportImage.h"
#include "symbology/PatternTable.h"

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

class BarcodeJob : public BarcodeSettings {
  public:
    explicit BarcodeJob(JobHost& host) : m_host(host) {}
    BarcodeJob(const BarcodeJob&) = delete;
    BarcodeJob& operator=(const BarcodeJob&) = delete;

    // The Create command: clear, check, check digit, render, restore. Returns true when the
    // run handed a complete image to the host.
    bool CreateBarcode();

    // --- Services for the check-digit steps and renderers ---
    void ShowMessage(const char* text);
    void SetStatus(std::string text);
    void RequestRepaint() { m_host.RequestRepaint(); }
    // Copies (0, 0)-(w, h) of the canvas and hands it to the host.
    void Export(int w, int h);
    // Replaces m_szDataText by text (bounded).
    void SetDataText(std::string_view text);
    // Appends to m_szCode; false (and nothing written) when it does not fit.
    bool AppendToCode(std::string_view text);
    // m_szCode restored from the code combo.
    void RestoreCode();
    void RestoreRefNo();

    // H of every code type.
    int TotalHeight() const { return m_nBarHeight + 2 * m_nMarginY; }

    BarCanvas m_canvas;
    PatternTable m_patternTable;
    ExportImage m_export;
    std::vector<std::uint8_t> m_modules;  // module colours of the drawing in progress

  private:
    bool RefuseAndRestore(const char* message);
    bool Refuse(const char* message);
    bool SettingsAreDrawable();

    JobHost& m_host;
    bool m_exported = false;
};

}  // namespace diduzozoz
