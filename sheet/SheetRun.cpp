#include "sheet/SheetRun.h"

#include <algorithm>
#include <cstring>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "job/BarcodeJob.h"
#include "symbology/Postal.h"

namespace diduzozoz::sheet {
namespace {

class LabelHost : public JobHost {
  public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void RefreshStatus(const std::string&) override {}
    std::string CodeComboText() override { return item->code; }
    std::string RefNoComboText() override { return item->ref; }
    void ExportToClipboard(const ExportImage&) override {}

    const LabelItem* item = nullptr;
    std::vector<std::string> messages;
};

// The barcode with the white of its label around it, in whole pixels, so the quiet zones are
// measured as a scanner meets them on the sheet.
const ExportImage& WithLabelWhite(const ExportImage& image, const PlacedBarcode& placed,
                                  ExportImage& out) {
    // More white than any quiet zone asks for changes no verdict.
    constexpr std::int64_t kEnough = 64;
    const std::int64_t d = placed.dotsPerPixel;
    auto pad = [&](std::int64_t dots) {
        return static_cast<int>(std::clamp<std::int64_t>(dots / d, 0, kEnough));
    };
    const int left = pad(placed.x - placed.label.x);
    const int top = pad(placed.y - placed.label.y);
    const int right = pad(placed.label.x + placed.label.width - placed.x - image.width * d);
    const int bottom = pad(placed.label.y + placed.label.height - placed.y - image.height * d);
    out.width = image.width + left + right;
    out.height = image.height + top + bottom;
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(&out.pixels[static_cast<std::size_t>(y + top) * out.width + left],
                    &image.pixels[static_cast<std::size_t>(y) * image.width], image.width);
    }
    return out;
}

}  // namespace

std::string CheckRequest(const SheetRequest& r) {
    std::string error = CheckLayout(r.layout);
    if (!error.empty()) return error;
    if (r.firstLabel < 1 || r.firstLabel > r.layout.Labels()) {
        return FormatText(str::kSheetFirstLabel, r.layout.Labels(), r.firstLabel);
    }
    return {};
}

SheetResult RunSheet(const BarcodeSettings& settings, const SheetRequest& request,
                     const std::function<bool(LabelItem&)>& next, const verify::Readers& readers,
                     SheetTarget* target, SheetReport& report) {
    SheetResult result;
    LabelHost host;
    BarcodeJob job(host);
    LabelItem item;
    ExportImage padded;
    std::int64_t used = 0;        // labels taken, holes included
    std::int64_t openSheet = -1;  // the sheet being drawn, or none yet
    const int copies = std::max(request.copies, 1);
    while (next(item)) {
        ++result.items;
        host.item = &item;
        host.messages.clear();
        static_cast<BarcodeSettings&>(job) = settings;
        CopyText(job.m_szCode, item.code);
        CopyPostalRef(job, item.ref);
        bool drawn = job.CreateBarcode();
        const verify::Meant meant = verify::MeantOf(job);
        Placement placement = request.placement;
        verify::DotsChoice choice;
        if (drawn) {
            choice = verify::ChooseDotsPerPixel(job.m_export, meant, placement.printerDpi);
            placement.dotsPerPixel = choice.dots;
            if (!choice.Fits()) {
                host.messages.push_back(verify::NoWholeDotsNote(choice));
                if (result.noneFits.Fits()) result.noneFits = choice;
                drawn = false;
            }
        }
        // Every copy has the same size; the label of the first shows whether it fits.
        PlacedBarcode placed;
        std::string tooLarge;
        const LabelSlot first = SlotOf(request.layout, request.firstLabel, used);
        if (drawn && !PlaceBarcode(request.layout, placement, first.index, job.m_export.width,
                                   job.m_export.height, placed, tooLarge)) {
            // Made larger to meet its standard: say so beside both sizes.
            const std::string why = verify::RoundingNote(choice);
            host.messages.push_back(why.empty() ? tooLarge : tooLarge + "; " + why);
            drawn = false;
        }
        if (!drawn) {
            // A run can stop with nothing but its status line (no code type chosen).
            if (host.messages.empty()) host.messages.push_back(job.m_strStatus);
            ++result.refused;
            report.Refused(result.items, item, host.messages);
            if (request.leaveHoles) used += copies;
            continue;
        }
        if (choice.why != verify::DotsChoice::Why::kNearest &&
            result.rounded.why == verify::DotsChoice::Why::kNearest) {
            result.rounded = choice;
        }
        const verify::Paper paper =
            request.judgeSize ? verify::Paper{placement.printerDpi, choice.dots} : verify::Paper{};
        for (int c = 0; c < copies; ++c, ++used) {
            const LabelSlot slot = SlotOf(request.layout, request.firstLabel, used);
            // Sheets that only held holes still come out as pages: the labels keep their places.
            while (openSheet < slot.sheet) {
                if (openSheet >= 0 && target) target->EndSheet();
                ++openSheet;
                if (target) target->BeginSheet(openSheet);
            }
            std::string unused;
            PlaceBarcode(request.layout, placement, slot.index, job.m_export.width,
                         job.m_export.height, placed, unused);
            if (target) target->Draw(placed, job.m_export);
            const verify::Verdict verdict =
                verify::Verify(WithLabelWhite(job.m_export, placed, padded), meant, readers, paper);
            ++result.labels;
            if (verdict.outcome == verify::Outcome::kOk) ++result.passed;
            for (const verify::Finding& f : verdict.findings) {
                if (!verify::IsWarning(f.reason)) continue;
                if (result.warned++ == 0) result.warning = f;
                break;
            }
            report.Labelled(slot, item, verdict);
        }
    }
    if (openSheet >= 0 && target) target->EndSheet();
    result.sheets = openSheet + 1;
    return result;
}

}  // namespace diduzozoz::sheet
