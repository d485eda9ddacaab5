// How large a barcode has to be on paper: each standard's limits on the module width, the bars'
// height, the quiet zones and the length; the verdict's findings against them where the size of
// a pixel is known; and the whole number of printer dots per barcode pixel that meets them.
// Toolkit-free: sheets, the command line and both front ends' print commands share it.
#pragma once

#include <string>

#include "render/ExportImage.h"
#include "verify/Scan.h"
#include "verify/Verify.h"

namespace diduzozoz::verify {

// One standard's limits for a code type, form and use, in millimetres unless said otherwise;
// 0 where the standard sets none.
struct SizeLimits {
    const char* name;    // what the limits belong to, as the command line names it
    const char* nameJa;  // and the dialogs
    double xMin;
    double xMax;
    // The bars at least as high as the greatest of: heightMin, heightPerX times X, and
    // heightPerWidth times the width from the first bar to the last.
    double heightMin;
    double heightPerX;
    double heightPerWidth;
    double quietLeft;  // in modules
    double quietRight;
    double quietMm;    // and at least so many millimetres on each side
    double lengthMax;  // the bars and both quiet zones
};

// The limits a drawing is judged by, from its type, form and data; nullptr where no standard
// applies (ITF as this program has always drawn it, a type not chosen).
const SizeLimits* SizeLimitsOf(const Meant& meant);

// The symbol in an exported image, in its pixels: the narrowest bar or space, the width from
// the first bar to the last, the white before and after them, the bars' height (the postal
// code: its long bars). ITF-14's bearer bars are the frame, not the symbol: its quiet zones
// are inside them. All 0 when the image holds no bars.
struct SymbolPixels {
    int module = 0;
    int width = 0;
    int left = 0;
    int right = 0;
    int height = 0;
};
SymbolPixels MeasureSymbol(const ExportImage& image, const Scan& scan, const Meant& meant);

// Adds to v what the size on paper makes of the drawing and sets v's onPaper, moduleMm and
// barHeightMm. True when it judged the quiet zones itself (in millimetres, or not at all on
// white paper), false when they are still to be judged in modules: no paper, or no standard.
bool JudgeOnPaper(const ExportImage& image, const Scan& scan, const Meant& meant,
                  const Paper& paper, Verdict& v);

// The dots per barcode pixel for a printer or sheet at dpi: of the whole numbers, the one
// nearest to 1/96 inch whose module and length meet the limits of the drawing's standard.
struct DotsChoice {
    enum class Why {
        kNearest,        // the nearest met them, or there are none
        kUp,             // the nearest gave a module under the minimum
        kDownForWidth,   // the nearest gave a module over the maximum
        kDownForLength,  // the nearest made the symbol longer than allowed
        kNoneFits,       // no whole number meets them: nothing is to be printed
    };
    Why why = Why::kNearest;
    int dots = 1;     // per barcode pixel; the nearest where none fits
    int nearest = 1;  // DotsPerPixel(dpi)
    int dpi = 0;
    const SizeLimits* limits = nullptr;
    SymbolPixels symbol;

    bool Fits() const { return why != Why::kNoneFits; }
    // The module, and the length with the quiet zones the limits ask for, at so many dots.
    double ModuleAt(int dotsPerPixel) const;
    double LengthAt(int dotsPerPixel) const;
};
DotsChoice ChooseDotsPerPixel(const ExportImage& image, const Meant& meant, int dpi);

// The choice in words, empty for the nearest: for the command line and the sheet messages,
// and (Ja) the dialogs' short form, "最小 0.264 mm（JAN-13）に合わせて 6 ドットから切り上げ".
std::string RoundingNote(const DotsChoice& choice);
std::string RoundingNoteJa(const DotsChoice& choice);
// Why nothing is printed when no whole number fits.
std::string NoWholeDotsNote(const DotsChoice& choice);
std::string NoWholeDotsNoteJa(const DotsChoice& choice);

// The note printed under a barcode printed on its own page at the choice's dots a pixel: its
// module width (modulePixels wide), the dots and the resolution, and why where the dots are not
// the nearest; on a second line the warnings of its size, if any.
std::string PrintNote(const ExportImage& image, const Meant& meant, int modulePixels,
                      const DotsChoice& choice);

// Millimetres with places decimals, trailing zeros dropped, rounded up or down.
std::string MillimetreText(double mm, int places, bool up);
// Rounded to the nearest, for sizes that are told, not judged.
std::string NearestMillimetreText(double mm, int places);
// A finding's two numbers, to the nearest; the measure away from the limit where the two would
// show alike.
std::string MeasuredText(const Finding& finding, int places);
std::string RequiredText(const Finding& finding, int places);
// The decimals a finding on paper is quoted with: 3 for a module width, else 1.
int PlacesOf(Reason reason);

}  // namespace diduzozoz::verify
