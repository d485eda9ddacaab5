// The label-sheet dialog's whole behaviour, without a toolkit: where the items come from (the
// main dialog's code list, or a serial run from its current code), the layout, first label and
// copies, how many sheets that takes or why it cannot run, the first sheet's preview, and
// print and save with every label read back first, on a thread of their own while the window
// shows their progress and can stop them. It sees its window only through Controls
// (template 103's ids) and WindowServices, and the printer only through LabelPrinter; the PDF
// is written through the one file writer.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialog/Controls.h"
#include "dialog/resource.h"
#include "render/BarCanvas.h"
#include "sheet/Serial.h"
#include "sheet/SheetRun.h"
#include "symbology/BarcodeSettings.h"

namespace diduzozoz {

// What the main dialog holds when the label dialog opens.
struct LabelSheetSource {
    BarcodeSettings settings;
    std::vector<std::string> listCodes;  // the code combo's items
    std::string code;                    // the code combo's text
    std::string ref;                     // the reference-number combo's text
};

// The printer, as each front end reaches it: between BeginPrint() and the end of the job the
// sheets go to it as to any other target, a page each.
class LabelPrinter : public sheet::SheetTarget {
  public:
    // Lets the user set up the printer for the layout's page; its resolution in dpi, 0 when
    // cancelled or there is no printing here.
    virtual int BeginPrint(const sheet::Layout& layout) = 0;
    // Ends the print job; empty when it went to the printer, else the message to show.
    virtual std::string EndPrint() = 0;
    // Ends the print job with nothing printed: no label could be drawn at the printer's dots.
    virtual void AbortPrint() = 0;
};

class CLabelSheetDlg {
  public:
    // At most so many failed labels are listed by number and code in the read-back message.
    static constexpr int kListedFailures = 20;
    static constexpr int kDefaultCount = 10;
    static constexpr int kDefaultLayout = 1;  // a4-4x11
    static constexpr int kProgressRange = 1000;

    CLabelSheetDlg(Controls& controls, WindowServices& window, LabelPrinter& printer,
                   LabelSheetSource source);

    // --- What the window tells the dialog ---
    void OnInitDialog();
    void OnClicked(int id);
    void OnSelChange(int id);
    void OnEditChange(int id);
    // The preview frame's inside in pixels; the first sheet is fitted into it.
    void SetPreviewSize(int width, int height);

    // --- What the window and tests read ---
    const BarCanvas& Preview() const { return m_preview; }
    // Sheets the current choice takes; 0 while it cannot run.
    std::int64_t Sheets() const { return m_ok ? m_sheets : 0; }
    // Labels drawn on the preview's sheet.
    int PreviewLabels() const { return m_previewLabels; }

  private:
    void Recompute();
    // The number in an edit, or nothing (and m_error says why) outside [lower, upper].
    std::optional<std::int64_t> Number(int id, const char* name, std::int64_t lower,
                                       std::int64_t upper);
    std::function<bool(sheet::LabelItem&)> Items(std::int64_t limit);
    void DrawPreview();
    // Runs work on a thread of its own while the window stays responsive, its progress bar
    // following the items taken and its stop button enabled; the rest of the window waits.
    // work returns false when it stopped before its end; so does this.
    bool RunAside(const std::function<bool()>& work);
    void ShowRunning();
    // Item n (from 0) was taken: the progress bar follows, once the window has time.
    void ShowProgress(std::int64_t n);
    void Save();
    void Print();
    sheet::SheetRequest Request(int dpi, bool judgeSize = true) const;

    Controls& m_controls;
    WindowServices& m_window;
    LabelPrinter& m_printer;
    LabelSheetSource m_source;
    bool m_postal = false;

    // The current choice, valid while m_ok.
    bool m_ok = false;
    std::string m_error;
    bool m_serialSource = false;
    std::optional<sheet::SerialRun> m_serial;
    sheet::Layout m_layout;
    int m_firstLabel = 1;
    int m_copies = 1;
    std::int64_t m_items = 0;
    std::int64_t m_sheets = 0;

    // A run on its thread: stopping is asked for by the window and seen by the run.
    bool m_running = false;
    std::atomic<bool> m_stop = false;
    bool m_closeAfterRun = false;
    std::atomic<std::int64_t> m_done = 0;
    std::atomic<bool> m_progressPosted = false;
    int m_shown = 0;  // the progress bar's position

    BarCanvas m_preview;
    int m_previewWidth = 210;
    int m_previewHeight = 297;
    int m_previewLabels = 0;
};

}  // namespace diduzozoz
