// What the steps of a code type reach of the run that calls them: the settings, the canvas
// and the shared pattern table, and the run's ways out (messages, the status line, repaint,
// export). The Create command provides it; the code types know nothing else of the job.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/BarCanvas.h"
#include "symbology/BarcodeSettings.h"
#include "symbology/PatternTable.h"

namespace diduzozoz {

enum class CheckOutcome {
    kPassed,
    kRefused,  // the check showed its message and ended the run
};

class CreateContext : public BarcodeSettings {
  public:
    CreateContext() = default;
    CreateContext(const CreateContext&) = delete;
    CreateContext& operator=(const CreateContext&) = delete;

    // Shows one modal message and returns when it is dismissed.
    virtual void ShowMessage(const char* text) = 0;
    // Sets the status line and shows it at once.
    virtual void SetStatus(std::string text) = 0;
    virtual void RequestRepaint() = 0;
    // Copies (0, 0)-(w, h) of the canvas and hands it over: the drawing is complete.
    virtual void Export(int w, int h) = 0;
    // m_szCode (m_szRefNo, or m_szAddress in the postal address forms) as the code
    // (reference-number) combo shows it again.
    virtual void RestoreCode() = 0;
    virtual void RestoreRefNo() = 0;

    // Replaces m_szDataText by text (bounded).
    void SetDataText(std::string_view text);
    // Appends to m_szCode; false (and nothing written) when it does not fit.
    bool AppendToCode(std::string_view text);
    // H of every code type.
    int TotalHeight() const { return m_nBarHeight + 2 * m_nMarginY; }

    BarCanvas m_canvas;
    PatternTable m_patternTable;
    std::vector<std::uint8_t> m_modules;  // module colours of the drawing in progress

  protected:
    ~CreateContext() = default;
};

// Whether a type's check-digit step calculates: its check digit on and the pattern chosen.
inline bool CheckDigitWanted(int optionWord, int pattern) {
    return (optionWord & kCheckDigitOnMask) != 0 && (optionWord & kPatternMask) == pattern;
}

// A content check's refusal: its message, then m_szCode as its combo shows it (the run ends
// with the restore step) or left alone (the run ends at once).
CheckOutcome RefuseThenRestore(CreateContext& job, const char* message);
CheckOutcome RefuseAndEnd(CreateContext& job, const char* message);

}  // namespace diduzozoz
