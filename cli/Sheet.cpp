#include "cli/Sheet.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "base/Quote.h"
#include "base/Strings.h"
#include "cli/FileOutput.h"
#include "cli/ListItems.h"
#include "cli/Platform.h"
#include "cli/VerifyOutput.h"
#include "platform/ListFile.h"
#include "sheet/Serial.h"
#include "sheet/SheetPdf.h"
#include "symbology/Dispatch.h"

namespace diduzozoz::cli {
namespace {

std::string Number(std::int64_t n) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%06lld", static_cast<long long>(n));
    return buf;
}

// stdout: the labels that did not read back; stderr: the items not drawn and, on a terminal,
// the progress.
class CliSheetReport : public sheet::SheetReport {
  public:
    explicit CliSheetReport(std::int64_t total) : m_total(total), m_progress(StderrIsTerminal()) {}

    void Refused(std::int64_t item, const sheet::LabelItem&,
                 const std::vector<std::string>& messages) override {
        // Listed even on a terminal, over the progress line, which the next label redraws.
        if (m_progress) WriteText(stderr, "\r\033[K");
        for (const std::string& message : messages) {
            WriteText(stderr, Number(item) + "\t" + message + "\n");
        }
    }
    void Labelled(const sheet::LabelSlot& slot, const sheet::LabelItem& what,
                  const verify::Verdict& verdict) override {
        ++m_labels;
        m_sheet = slot.sheet + 1;
        if (verdict.outcome != verify::Outcome::kOk) {
            WriteText(stdout, Number(slot.number) + "\t" + Quoted(what.code) + "\t" +
                                  VerdictColumns(&verdict) + "\n");
        }
        Progress(false);
    }
    void Finish() {
        if (!m_progress) return;
        Progress(true);
        WriteText(stderr, "\r\033[K");
    }

  private:
    void Progress(bool last) {
        if (!m_progress) return;
        const auto now = std::chrono::steady_clock::now();
        if (!last && now - m_shown < std::chrono::milliseconds(100)) return;
        m_shown = now;
        char line[128];
        if (m_total > 0) {
            std::snprintf(line, sizeof line, "\rsheet %lld, label %lld of %lld",
                          static_cast<long long>(m_sheet), static_cast<long long>(m_labels),
                          static_cast<long long>(m_total));
        } else {
            std::snprintf(line, sizeof line, "\rsheet %lld, label %lld",
                          static_cast<long long>(m_sheet), static_cast<long long>(m_labels));
        }
        WriteText(stderr, line);
        std::fflush(stderr);
    }

    const std::int64_t m_total;  // labels expected; 0 when not known
    const bool m_progress;
    std::chrono::steady_clock::time_point m_shown{};
    std::int64_t m_labels = 0;
    std::int64_t m_sheet = 0;
};

int UsageError(const std::string& message) {
    WriteText(stderr, "diduzozoz-cli: " + message + "\n");
    return 2;
}

}  // namespace

int RunSheets(const CliOptions& o, const verify::Readers& readers) {
    const sheet::SheetRequest request = o.SheetRequest();
    if (std::string error = sheet::CheckRequest(request); !error.empty()) return UsageError(error);

    // Where the codes come from; every refusal of its own comes before the file is touched.
    std::function<bool(sheet::LabelItem&)> next;
    std::optional<sheet::SerialRun> serial;
    std::int64_t serialAt = 0;
    ListItems items(o);
    const bool postal = o.symbology == kSymbologyPostal;
    if (o.serial > 0) {
        std::string error;
        const bool gs1 = o.symbology == kSymbologyCode128 && o.form == kCode128FormGs1;
        serial = sheet::SerialRun::Make(postal ? o.ref : o.code, o.serial, error, gs1);
        if (!serial) return UsageError(error);
        next = [&](sheet::LabelItem& item) {
            if (serialAt >= serial->Count()) return false;
            std::string counted = serial->At(serialAt++);
            item.code = postal ? o.code : std::move(counted);
            item.ref = postal ? std::move(counted) : o.ref;
            return true;
        };
    } else {
        if (std::string error; !items.Open(error)) return UsageError(error);
        next = [&](sheet::LabelItem& item) { return items.Next(item.code, item.ref); };
    }

    FileWriter file(o.output, kCliWrite);
    if (!file.Open()) {
        WriteText(stderr, "diduzozoz-cli: " + WriteErrorText(o.output, file.Status()) + "\n");
        return 1;
    }
    sheet::SheetPdf pdf(request.layout, request.placement.printerDpi,
                        [&](std::string_view bytes) { return file.Write(bytes); });
    BarcodeSettings settings;
    ApplyOptions(o, settings);
    CliSheetReport report(serial ? serial->Count() * request.copies : 0);
    const sheet::SheetResult result =
        sheet::RunSheet(settings, request, next, readers, &pdf, report);
    report.Finish();
    // Told once for the run: the dots a pixel took where they are not the nearest, and the
    // warnings, which leave the labels passed.
    if (const std::string note = verify::RoundingNote(result.rounded); !note.empty()) {
        WriteText(stderr, "diduzozoz-cli: " + note + "\n");
    }
    if (result.warned > 0) {
        WriteText(stderr, "diduzozoz-cli: " +
                              FormatText(str::kSheetWarnings, static_cast<long long>(result.warned),
                                         ReasonToken(result.warning).c_str()) +
                              "\n");
    }
    if (result.labels == 0) {
        WriteText(stderr, std::string("diduzozoz-cli: ") + str::kSheetNothing + "\n");
        return 1;  // the file is dropped with nothing left behind
    }
    const bool finished = pdf.Finish();
    std::string summary =
        FormatText(str::kSheetSummary, static_cast<long long>(result.labels),
                   static_cast<long long>(result.sheets), static_cast<long long>(result.passed),
                   static_cast<long long>(result.labels - result.passed));
    if (result.refused > 0) {
        summary += "; " + FormatText(str::kSheetRefused, static_cast<long long>(result.refused));
    }
    if (!finished || !file.Commit()) {
        file.Abandon();
        WriteText(stdout, summary + "\n");
        std::fflush(stdout);
        WriteText(stderr, "diduzozoz-cli: " + WriteErrorText(o.output, file.Status()) + "\n");
        return 1;
    }
    WriteText(stdout, summary + "\n");
    std::fflush(stdout);
    if (result.refused > 0) return 1;
    return result.passed < result.labels ? 3 : 0;
}

}  // namespace diduzozoz::cli
