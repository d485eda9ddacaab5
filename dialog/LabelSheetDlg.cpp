#include "dialog/LabelSheetDlg.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <thread>

#include "base/Decimal.h"
#include "base/Quote.h"
#include "base/Strings.h"
#include "platform/FileWriter.h"
#include "sheet/SheetPdf.h"
#include "verify/BuiltReaders.h"
#include "verify/SizeLimits.h"

namespace diduzozoz {
namespace {

// Sheets are saved at the command line's default resolution; a printer gives its own.
constexpr int kSaveDpi = 600;

// The built-in layout's entry in the list: "A4 4×11（48.3×25.4 mm）".
std::string LayoutItem(const sheet::NamedLayout& named) {
    std::string page(named.name, std::string_view(named.name).find('-'));
    for (char& c : page) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const sheet::Layout& l = named.layout;
    return FormatText(str::kLabelLayoutItem, page.c_str(), l.columns, l.rows,
                      sheet::MillimetreText(l.labelWidth).c_str(),
                      sheet::MillimetreText(l.labelHeight).c_str());
}

// Counts what a run did, and lists the labels that did not read back as meant.
class Tally : public sheet::SheetReport {
  public:
    void Refused(std::int64_t, const sheet::LabelItem&,
                 const std::vector<std::string>& messages) override {
        if (firstRefusal.empty() && !messages.empty()) firstRefusal = messages.front();
    }
    void Labelled(const sheet::LabelSlot& slot, const sheet::LabelItem& what,
                  const verify::Verdict& verdict) override {
        if (verdict.outcome != verify::Outcome::kOk) failed.emplace_back(slot.number, what.code);
        for (const verify::Finding& f : verdict.findings) {
            if (!IsSize(f.reason)) continue;
            if (sizeFailed++ == 0) sizeFailure = f;
            break;
        }
    }

    static bool IsSize(verify::Reason r) {
        using verify::Reason;
        return r == Reason::kXDimension || r == Reason::kTooLong || r == Reason::kQuietZoneLeftMm ||
               r == Reason::kQuietZoneRightMm;
    }

    std::string firstRefusal;
    std::vector<std::pair<std::int64_t, std::string>> failed;
    // Labels that miss their standard's size on paper, and the first miss.
    std::int64_t sizeFailed = 0;
    verify::Finding sizeFailure{verify::Reason::kXDimension, 0, 0, {}};
};

// What the size on paper made of a run: the dots a pixel where they are not the nearest, and
// why; the warnings. Empty when there is nothing to say.
std::string SizeLines(const sheet::SheetResult& result) {
    std::string text;
    if (const std::string why = verify::RoundingNoteJa(result.rounded); !why.empty()) {
        const verify::DotsChoice& c = result.rounded;
        text += "\n" + FormatText(str::kLabelRounding, c.dots, c.dpi,
                                  verify::NearestMillimetreText(c.ModuleAt(c.dots), 3).c_str(),
                                  why.c_str());
    }
    if (result.warned > 0) {
        text += "\n" + FormatText(str::kLabelWarnings, verify::FindingText(result.warning).c_str(),
                                  static_cast<long long>(result.warned));
    }
    return text;
}

// size: the run was judged on paper, and the message tells what that made of it.
std::string ReadBackMessage(const sheet::SheetResult& result, const Tally& tally, bool size) {
    std::string text = FormatText(str::kLabelReadBack, static_cast<long long>(result.labels),
                                  static_cast<long long>(result.passed));
    if (result.refused > 0) {
        text += "\n" + FormatText(str::kLabelRefusedItems, static_cast<long long>(result.refused));
    }
    if (!tally.failed.empty()) {
        text += std::string("\n") + str::kLabelFailedHead;
        const std::size_t listed =
            std::min<std::size_t>(tally.failed.size(), CLabelSheetDlg::kListedFailures);
        for (std::size_t i = 0; i < listed; ++i) {
            text += "\n" + FormatText(str::kLabelFailedLine,
                                      static_cast<long long>(tally.failed[i].first),
                                      ShownInMessage(tally.failed[i].second).c_str());
        }
        if (tally.failed.size() > listed) {
            text += "\n" + FormatText(str::kLabelFailedMore,
                                      static_cast<long long>(tally.failed.size() - listed));
        }
    }
    return size ? text + SizeLines(result) : text;
}

// Nothing could be drawn: why, in the dialog's words where the size was the reason.
std::string NothingDrawnMessage(const sheet::SheetResult& result, const Tally& tally) {
    if (!result.noneFits.Fits()) return verify::NoWholeDotsNoteJa(result.noneFits);
    return FormatText(str::kLabelNothingDrawn, tally.firstRefusal.c_str());
}

}  // namespace

CLabelSheetDlg::CLabelSheetDlg(Controls& controls, WindowServices& window, LabelPrinter& printer,
                               LabelSheetSource source)
    : m_controls(controls), m_window(window), m_printer(printer), m_source(std::move(source)) {
    m_postal = m_source.settings.m_nSymbology == kSymbologyPostal;
}

void CLabelSheetDlg::OnInitDialog() {
    const bool fromList = !m_source.listCodes.empty();
    m_controls.SetChecked(IDC_LS_FROM_LIST, fromList);
    m_controls.SetChecked(IDC_LS_SERIAL, !fromList);
    m_controls.EnableControl(IDC_LS_FROM_LIST, fromList);
    m_controls.SetText(IDC_LS_COUNT, std::to_string(kDefaultCount));
    m_controls.ResetContent(IDC_LS_LAYOUT);
    for (const sheet::NamedLayout& named : sheet::BuiltInLayouts()) {
        m_controls.AddItem(IDC_LS_LAYOUT, LayoutItem(named));
    }
    m_controls.SetCurSel(IDC_LS_LAYOUT, kDefaultLayout);
    m_controls.SetText(IDC_LS_FIRST, "1");
    m_controls.SetText(IDC_LS_COPIES, "1");
    m_controls.SetRange(IDC_LS_PROGRESS, 0, kProgressRange);
    ShowRunning();
    Recompute();
}

void CLabelSheetDlg::OnClicked(int id) {
    if (m_running) {
        // While a run goes on, only stopping it, or closing the window, which stops it first.
        if (id == IDC_LS_STOP || id == IDCANCEL) m_stop = true;
        if (id == IDCANCEL) m_closeAfterRun = true;
        return;
    }
    switch (id) {
        case IDC_LS_FROM_LIST:
        case IDC_LS_SERIAL:
            Recompute();
            break;
        case IDC_LS_SAVE:
            Save();
            break;
        case IDC_LS_PRINT:
            Print();
            break;
        case IDC_LS_STOP:
            break;
        case IDCANCEL:
            m_window.EndDialog(IDCANCEL);
            break;
        default:
            break;
    }
    if (m_closeAfterRun) m_window.EndDialog(IDCANCEL);
}

void CLabelSheetDlg::OnSelChange(int id) {
    if (id == IDC_LS_LAYOUT && !m_running) Recompute();
}

void CLabelSheetDlg::OnEditChange(int id) {
    if ((id == IDC_LS_COUNT || id == IDC_LS_FIRST || id == IDC_LS_COPIES) && !m_running) {
        Recompute();
    }
}

void CLabelSheetDlg::SetPreviewSize(int width, int height) {
    m_previewWidth = std::clamp(width, 16, BarCanvas::kMaxWidth);
    m_previewHeight = std::clamp(height, 16, BarCanvas::kMaxHeight);
    DrawPreview();
}

std::optional<std::int64_t> CLabelSheetDlg::Number(int id, const char* name, std::int64_t lower,
                                                   std::int64_t upper) {
    // Nine digits at most: anything longer is out of every range here.
    const std::optional<std::int64_t> value = ParseDecimal(m_controls.Text(id), 9);
    if (!value || *value < lower || *value > upper) {
        if (m_error.empty()) {
            m_error = FormatText(str::kLabelNumberRange, name, static_cast<long long>(lower),
                                 static_cast<long long>(upper));
        }
        return std::nullopt;
    }
    return value;
}

void CLabelSheetDlg::Recompute() {
    m_ok = false;
    m_error.clear();
    m_serial.reset();
    m_serialSource = m_controls.IsChecked(IDC_LS_SERIAL);
    m_controls.EnableControl(IDC_LS_COUNT, m_serialSource);

    const auto layouts = sheet::BuiltInLayouts();
    const int pick = m_controls.CurSel(IDC_LS_LAYOUT);
    m_layout = layouts[pick >= 0 && pick < static_cast<int>(layouts.size()) ? pick : kDefaultLayout]
                   .layout;
    const auto first = Number(IDC_LS_FIRST, str::kLabelFirstName, 1, m_layout.Labels());
    const auto copies = Number(IDC_LS_COPIES, str::kLabelCopiesName, 1, sheet::kMaxCopies);
    std::optional<std::int64_t> count;
    if (m_serialSource) {
        count = Number(IDC_LS_COUNT, str::kLabelCountName, 1, sheet::kMaxSerialCount);
    }
    if (m_error.empty()) {
        m_firstLabel = static_cast<int>(*first);
        m_copies = static_cast<int>(*copies);
        if (m_serialSource) {
            const BarcodeSettings& s = m_source.settings;
            const bool gs1 =
                s.m_nSymbology == kSymbologyCode128 && s.m_nCode128Form == kCode128FormGs1;
            m_serial = sheet::SerialRun::Make(m_postal ? m_source.ref : m_source.code, *count,
                                              m_error, gs1);
            m_items = m_serial ? m_serial->Count() : 0;
        } else {
            m_items = static_cast<std::int64_t>(m_source.listCodes.size());
            if (m_items == 0) m_error = str::kLabelNoItems;
        }
    }
    if (m_error.empty()) m_error = sheet::CheckRequest(Request(kSaveDpi));
    if (m_error.empty()) {
        const std::int64_t labels = m_items * m_copies;
        const std::int64_t perSheet = m_layout.Labels();
        m_sheets = (m_firstLabel - 1 + labels + perSheet - 1) / perSheet;
        m_ok = true;
        m_controls.SetText(IDC_LS_SUMMARY,
                           FormatText(str::kLabelSheets, static_cast<long long>(m_sheets),
                                      static_cast<long long>(labels)));
    } else {
        m_controls.SetText(IDC_LS_SUMMARY, m_error);
    }
    m_controls.EnableControl(IDC_LS_PRINT, m_ok);
    m_controls.EnableControl(IDC_LS_SAVE, m_ok);
    DrawPreview();
}

sheet::SheetRequest CLabelSheetDlg::Request(int dpi, bool judgeSize) const {
    sheet::SheetRequest request;
    request.layout = m_layout;
    request.placement.printerDpi = dpi;
    request.judgeSize = judgeSize;
    request.firstLabel = m_firstLabel;
    request.copies = m_copies;
    return request;
}

std::function<bool(sheet::LabelItem&)> CLabelSheetDlg::Items(std::int64_t limit) {
    auto at = std::make_shared<std::int64_t>(0);
    return [this, at, limit](sheet::LabelItem& item) {
        if (*at >= std::min(limit, m_items) || m_stop) return false;
        const std::int64_t n = (*at)++;
        if (m_running) ShowProgress(n);
        item.code = m_source.code;
        item.ref = m_source.ref;
        if (m_serial) {
            (m_postal ? item.ref : item.code) = m_serial->At(n);
        } else {
            item.code = m_source.listCodes[static_cast<std::size_t>(n)];
        }
        return true;
    };
}

void CLabelSheetDlg::DrawPreview() {
    m_preview.ClearCanvas();
    m_previewLabels = 0;
    const int w = m_previewWidth, h = m_previewHeight;
    // Always something the size of the frame, so the preview never shows an old sheet.
    m_preview.DrawLine(0, 1, 0, h - 1, w, h - 1);
    if (!m_ok) {
        m_window.RepaintPreview();
        return;
    }
    // The page fitted into the frame with a pixel of air, in preview pixels per printer dot.
    const double pageW = static_cast<double>(sheet::ToDots(m_layout.pageWidth, kSaveDpi));
    const double pageH = static_cast<double>(sheet::ToDots(m_layout.pageHeight, kSaveDpi));
    const double f = std::min((w - 3) / pageW, (h - 3) / pageH);
    const int ox = static_cast<int>((w - pageW * f) / 2);
    const int oy = static_cast<int>((h - pageH * f) / 2);
    auto px = [&](std::int64_t dots) { return ox + static_cast<int>(dots * f); };
    auto py = [&](std::int64_t dots) { return oy + static_cast<int>(dots * f); };
    auto box = [&](int x0, int y0, int x1, int y1) {
        m_preview.DrawLine(1, 1, x0, y0, x1 + 1, y0);
        m_preview.DrawLine(1, 1, x0, y1, x1 + 1, y1);
        m_preview.DrawLine(1, 1, x0, y0, x0, y1 + 1);
        m_preview.DrawLine(1, 1, x1, y0, x1, y1 + 1);
    };
    box(px(0), py(0), px(static_cast<std::int64_t>(pageW)), py(static_cast<std::int64_t>(pageH)));
    for (int i = 0; i < m_layout.Labels(); ++i) {
        const sheet::DotRect r = sheet::LabelDots(m_layout, i, kSaveDpi);
        box(px(r.x), py(r.y), px(r.x + r.width), py(r.y + r.height));
        if (i < m_firstLabel - 1) {  // used already: crossed out
            m_preview.DrawLine(1, 1, px(r.x), py(r.y + r.height / 2), px(r.x + r.width),
                               py(r.y + r.height / 2));
        }
    }

    // The first sheet as a run draws it: only the items that can reach it.
    class FirstSheet : public sheet::SheetTarget {
      public:
        explicit FirstSheet(
            const std::function<void(const sheet::PlacedBarcode&, const ExportImage&)>& draw)
            : m_draw(draw) {}
        void BeginSheet(std::int64_t sheet) override { m_first = sheet == 0; }
        void Draw(const sheet::PlacedBarcode& placed, const ExportImage& image) override {
            if (m_first) m_draw(placed, image);
        }
        void EndSheet() override {}

      private:
        const std::function<void(const sheet::PlacedBarcode&, const ExportImage&)>& m_draw;
        bool m_first = false;
    };
    const std::function<void(const sheet::PlacedBarcode&, const ExportImage&)> draw =
        [&](const sheet::PlacedBarcode& placed, const ExportImage& image) {
            ++m_previewLabels;
            // Each preview pixel shows the barcode pixel at its centre.
            const int x0 = px(placed.x), y0 = py(placed.y);
            const int x1 = px(placed.x + std::int64_t{image.width} * placed.dotsPerPixel);
            const int y1 = py(placed.y + std::int64_t{image.height} * placed.dotsPerPixel);
            for (int y = y0; y < y1; ++y) {
                const auto sy =
                    static_cast<int>(((y - oy + 0.5) / f - placed.y) / placed.dotsPerPixel);
                if (sy < 0 || sy >= image.height) continue;
                for (int x = x0; x < x1; ++x) {
                    const auto sx =
                        static_cast<int>(((x - ox + 0.5) / f - placed.x) / placed.dotsPerPixel);
                    if (sx < 0 || sx >= image.width) continue;
                    if (image.pixels[static_cast<std::size_t>(sy) * image.width + sx]) {
                        m_preview.DrawLine(1, 1, x, y, x + 1, y);
                    }
                }
            }
        };
    FirstSheet firstSheet(draw);
    const std::int64_t free = m_layout.Labels() - (m_firstLabel - 1);
    Tally tally;
    // No reader: the preview only needs the pixels and their places.
    sheet::RunSheet(m_source.settings, Request(kSaveDpi), Items((free + m_copies - 1) / m_copies),
                    verify::Readers{}, &firstSheet, tally);
    m_window.RepaintPreview();
}

void CLabelSheetDlg::Save() {
    if (!m_ok) return;
    SaveFileRequest request;
    request.name = str::kLabelSaveName;
    request.filters = str::kLabelSaveFilter;
    request.extension = "pdf";
    const std::string path = m_window.ChooseSaveFile(request);
    if (path.empty()) return;
    FileWriter file(path);
    // A place that cannot take the file says so before a single label is drawn.
    if (!file.Open()) {
        m_window.ShowMessageBox(WriteFailureMessage(file.Status(), path));
        return;
    }
    Tally tally;
    sheet::SheetResult result;
    bool written = false;
    const bool finished = RunAside([&] {
        sheet::SheetPdf pdf(m_layout, kSaveDpi,
                            [&](std::string_view bytes) { return file.Write(bytes); });
        result = sheet::RunSheet(m_source.settings, Request(kSaveDpi), Items(m_items),
                                 verify::BuiltReaders(), &pdf, tally);
        if (m_stop) return false;
        written = result.labels > 0 && pdf.Finish() && file.Commit();
        return true;
    });
    if (!finished) {
        file.Abandon();  // stopped: nothing is left behind
    } else if (result.labels == 0) {
        file.Abandon();
        m_window.ShowMessageBox(NothingDrawnMessage(result, tally));
    } else if (!written) {
        m_window.ShowMessageBox(WriteFailureMessage(file.Status(), path));
    } else {
        m_window.ShowMessageBox(ReadBackMessage(result, tally, true));
    }
}

void CLabelSheetDlg::Print() {
    if (!m_ok) return;
    // Every label is read back before anything goes to the printer; its size on paper is the
    // printer's to tell, once it is chosen.
    Tally tally;
    sheet::SheetResult result;
    const bool readBack = RunAside([&] {
        result = sheet::RunSheet(m_source.settings, Request(kSaveDpi, false), Items(m_items),
                                 verify::BuiltReaders(), nullptr, tally);
        return !m_stop;
    });
    if (!readBack) return;
    if (result.labels == 0) {
        m_window.ShowMessageBox(NothingDrawnMessage(result, tally));
        return;
    }
    m_window.ShowMessageBox(ReadBackMessage(result, tally, false));
    const int dpi = m_printer.BeginPrint(m_layout);
    if (dpi <= 0) return;
    Tally printing;
    sheet::SheetResult printed;
    const bool finished = RunAside([&] {
        printed = sheet::RunSheet(m_source.settings, Request(dpi), Items(m_items),
                                  verify::Readers{}, &m_printer, printing);
        return !m_stop;
    });
    if (!finished) {
        m_printer.AbortPrint();
        return;
    }
    if (printed.labels == 0) {
        // Not one whole number of dots gives the barcodes their size: a blank page helps nobody.
        m_printer.AbortPrint();
        m_window.ShowMessageBox(NothingDrawnMessage(printed, printing));
        return;
    }
    const std::string failure = m_printer.EndPrint();
    if (!failure.empty()) {
        m_window.ShowMessageBox(failure);
        return;
    }
    // What the printer's dots made of the sizes.
    std::string size = SizeLines(printed);
    if (printing.sizeFailed > 0) {
        size +=
            "\n" + FormatText(str::kLabelSizeFailed, static_cast<long long>(printing.sizeFailed),
                              verify::FindingText(printing.sizeFailure).c_str());
    }
    if (!printed.noneFits.Fits()) {
        size += "\n" +
                FormatText(str::kLabelRefusedItems, static_cast<long long>(printed.refused)) +
                "\n" + verify::NoWholeDotsNoteJa(printed.noneFits);
    }
    if (!size.empty()) m_window.ShowMessageBox(FormatText(str::kLabelPrinted, size.c_str()));
}

bool CLabelSheetDlg::RunAside(const std::function<bool()>& work) {
    m_running = true;
    m_stop = false;
    ShowRunning();
    std::atomic<bool> over = false;
    bool finished = false;
    std::thread worker([&] {
        finished = work();
        over = true;
        m_window.Post([] {});  // wakes the window's loop to see it
    });
    if (!m_window.DispatchUntil([&] { return over.load(); })) m_stop = true;  // the program ends
    worker.join();
    m_running = false;
    ShowRunning();
    return finished;
}

void CLabelSheetDlg::ShowRunning() {
    const bool idle = !m_running;
    for (int id : {IDC_LS_SERIAL, IDC_LS_LAYOUT, IDC_LS_FIRST, IDC_LS_COPIES}) {
        m_controls.EnableControl(id, idle);
    }
    m_controls.EnableControl(IDC_LS_FROM_LIST, idle && !m_source.listCodes.empty());
    m_controls.EnableControl(IDC_LS_COUNT, idle && m_serialSource);
    m_controls.EnableControl(IDC_LS_PRINT, idle && m_ok);
    m_controls.EnableControl(IDC_LS_SAVE, idle && m_ok);
    m_controls.EnableControl(IDC_LS_STOP, m_running);
    m_shown = 0;
    m_controls.SetPos(IDC_LS_PROGRESS, 0);
}

void CLabelSheetDlg::ShowProgress(std::int64_t item) {
    m_done = item;
    // At most one update waits for the window, however fast the items go.
    if (m_progressPosted.exchange(true)) return;
    m_window.Post([this] {
        m_progressPosted = false;
        if (!m_running) return;
        const int permille =
            static_cast<int>(m_done * kProgressRange / std::max<std::int64_t>(m_items, 1));
        if (permille == m_shown) return;
        m_shown = permille;
        m_controls.SetPos(IDC_LS_PROGRESS, permille);
    });
}

}  // namespace diduzozoz
