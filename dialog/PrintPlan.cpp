#include "dialog/PrintPlan.h"

#include "base/Strings.h"
#include "verify/SizeLimits.h"

namespace diduzozoz {

namespace {

// Millimetres as the messages show them.
std::string Millimetres(std::int64_t dots, int dpi) {
    return DecimalText(dots * 254, std::int64_t{dpi} * 10, 1);
}

}  // namespace

PrintPlan PlanPrint(const ExportImage& image, int modulePixels, const verify::Meant& meant,
                    const PrintPage& page) {
    PrintPlan plan;
    const int dpi = page.dpi;
    const verify::DotsChoice choice = verify::ChooseDotsPerPixel(image, meant, dpi);
    if (dpi > 0 && !choice.Fits()) {
        plan.refusal = verify::NoWholeDotsNoteJa(choice);
        return plan;
    }
    const int k = choice.dots;
    const std::int64_t w = std::int64_t{image.width} * k;
    const std::int64_t h = std::int64_t{image.height} * k;
    if (dpi <= 0 || page.width <= 0 || page.height <= 0 || w > page.width || h > page.height) {
        // A printer that tells no resolution gets the sizes the screen would have.
        const int shown = dpi > 0 ? dpi : kDefaultDpi;
        plan.refusal = FormatText(
            str::kPrintTooLarge, Millimetres(w, shown).c_str(), Millimetres(h, shown).c_str(),
            Millimetres(page.width, shown).c_str(), Millimetres(page.height, shown).c_str());
        return plan;
    }
    plan.dotsPerPixel = k;
    for (const PixelRect& r : BlackRectangles(image)) {
        plan.bars.push_back({page.left + std::int64_t{r.x} * k, page.top + std::int64_t{r.y} * k,
                             std::int64_t{r.width} * k, std::int64_t{r.height} * k});
    }
    // A few millimetres below the barcode's white margin, to the bottom of the printable area.
    const std::int64_t gap = dpi * 3 / 25;  // about 3 mm
    const std::int64_t noteTop = page.top + h + gap;
    plan.noteBox = {page.left, noteTop, page.width, page.top + page.height - noteTop};
    plan.note = verify::PrintNote(image, meant, modulePixels, choice);
    return plan;
}

}  // namespace diduzozoz
