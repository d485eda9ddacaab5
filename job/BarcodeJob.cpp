#include "job/BarcodeJob.h"

#include <cstring>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "symbology/Dispatch.h"
#include "symbology/Postal.h"

namespace diduzozoz {

void BarcodeJob::ShowMessage(const char* text) {
    m_host.ShowMessage(text);
}

void BarcodeJob::SetStatus(std::string text) {
    m_strStatus = std::move(text);
    m_host.RefreshStatus(m_strStatus);
}

void BarcodeJob::RestoreCode() {
    CopyText(m_szCode, m_host.CodeComboText());
}

void BarcodeJob::RestoreRefNo() {
    CopyPostalRef(*this, m_host.RefNoComboText());
}

void BarcodeJob::Export(int w, int h) {
    m_export.width = w > 0 ? w : 0;
    m_export.height = h > 0 ? h : 0;
    m_canvas.CopyRect(m_export.width, m_export.height, m_export.pixels);
    if (m_export.width == 0 || m_export.height == 0) return;  // nothing to hand over
    m_exported = true;
    m_host.ExportToClipboard(m_export);
}

int BarcodeJob::ModulePixels() const {
    const SymbologyEntry* entry = SymbologyAt(m_nSymbology);
    return entry && entry->modulePixels ? entry->modulePixels(*this) : m_nLineUnit;
}

bool BarcodeJob::SettingsAreDrawable() {
    auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    return within(m_nLineUnit, kMinLineUnit, kMaxLineUnit) &&
           within(m_nBarHeight, kMinBarHeight, kMaxBarHeight) &&
           within(m_nMarginX, kMinMargin, kMaxMargin) && within(m_nMarginY, kMinMargin, kMaxMargin);
}

bool BarcodeJob::CreateBarcode() {
    m_exported = false;
    m_canvas.ClearCanvas();
    // Shown at once: a run that stops on a refusal must not leave the last barcode on screen.
    RequestRepaint();

    const SymbologyEntry* entry = SymbologyAt(m_nSymbology);
    if (m_nSymbology == kSymbologyNone || !entry) {
        SetStatus(str::kChooseType);
        return false;
    }
    if ((*OptionWord(m_nSymbology) & kPatternMask) == 0) {
        ShowMessage(str::kChoosePattern);
        return false;
    }
    // Settings no control of the dialog can produce, refused before anything is drawn.
    if (!SettingsAreDrawable()) {
        ShowMessage(str::kGeometryRange);
        return false;
    }
    if (TextLength(m_szCode) > static_cast<std::size_t>(kMaxCodeBytes)) {
        // No room for what the run may append: refuse rather than lose a check character.
        ShowMessage(str::kCodeTooLong);
        RestoreCode();
        return false;
    }
    if (entry->contentChecks(*this) == CheckOutcome::kRefused) return false;

    if (entry->checkDigit) entry->checkDigit(*this);
    if (entry->render) entry->render(*this);
    RestoreCode();
    return m_exported;
}

}  // namespace diduzozoz
