#include "verify/SizeLimits.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/Strings.h"
#include "symbology/BarcodeSettings.h"

namespace diduzozoz::verify {
namespace {

// clang-format off

// GS1 General Specifications 5.12.3, the table of symbol sizes for trade items scanned at
// retail point of sale: a JAN is what the till reads. X from 0.264 to 0.660 mm (80 % to 200 % of
// 0.330); bars at least 18.28 mm (EAN-13) or 14.58 mm (EAN-8) high at 0.264, in proportion to X
// above it (22.85 and 18.23 mm at 0.330); quiet zones 11X and 7X (EAN-13), 7X each side
// (EAN-8), as ISO/IEC 15420 has them.
constexpr SizeLimits kJan13 =
    {str::kSizeJan13, str::kSizeJan13, 0.264, 0.660, 18.28, 22.85 / 0.330, 0, 11, 7, 0, 0};
constexpr SizeLimits kJan8 =
    {str::kSizeJan8, str::kSizeJan8, 0.264, 0.660, 14.58, 18.23 / 0.330, 0, 7, 7, 0, 0};

// GS1 General Specifications 5.12.3, the table for trade items scanned in general distribution:
// ITF-14 marks outer cases, which no till scans. X from 0.495 to 1.016 mm, bars at least
// 31.75 mm high whatever X, quiet zones of 10X inside the bearer bars (ISO/IEC 16390 draws it).
constexpr SizeLimits kItf14 =
    {str::kSizeItf14, str::kSizeItf14, 0.495, 1.016, 31.75, 0, 0, 10, 10, 0, 0};

// The same table for GS1-128, which marks cases and logistic units (a carton's GTIN, a logistic
// label's SSCC) and is not scanned at the till either; GS1 General Specifications 5.4.4: quiet
// zones of 10X, and at most 165.10 mm long with them.
constexpr SizeLimits kGs1128 =
    {str::kSizeGs1128, str::kSizeGs1128, 0.495, 1.016, 31.75, 0, 0, 10, 10, 0, 165.10};

// The convenience-store payment code (GS1-128, 44 digits from AI 91) follows GS1 Japan's
// 標準料金代理収納ガイドライン instead: the tills' scanners take it whole, so at most 60 mm with
// quiet zones of 2.54 mm each (and GS1-128's 10X), bars at least 10 mm high; its table of
// module widths by printer resolution goes down to 0.158 mm (3 dots at 480 dpi).
constexpr SizeLimits kPayment =
    {str::kSizePayment, str::kSizePaymentJa, 0.158, 0, 10, 0, 0, 10, 10, 2.54, 60};

// ISO/IEC 16390 (interleaved 2 of 5) and ISO/IEC 16388 (Code 39) leave X to the application
// and ask quiet zones of 10X; their guidelines for hand-held scanning ask bars of 5.0 mm or
// 15 % of the symbol's width, whichever is greater.
constexpr SizeLimits kItf =
    {str::kSizeItf, str::kSizeItf, 0, 0, 5.0, 0, 0.15, 10, 10, 0, 0};
constexpr SizeLimits kCode39 =
    {str::kSizeCode39, str::kSizeCode39, 0, 0, 5.0, 0, 0.15, 10, 10, 0, 0};

// EN 798 (Codabar) and ISO/IEC 15417 (Code 128) leave X and the height to the application:
// only their quiet zones of 10X.
constexpr SizeLimits kNw7 =
    {str::kSizeNw7, str::kSizeNw7, 0, 0, 0, 0, 0, 10, 10, 0, 0};
constexpr SizeLimits kCode128 =
    {str::kSizeCode128, str::kSizeCode128, 0, 0, 0, 0, 0, 10, 10, 0, 0};

// Japan Post's カスタマバーコード manual (郵便番号・バーコードマニュアル): a size of a points,
// 8 to 11.5, with bars 0.50a/10 to 0.70a/10 mm wide, spaces 0.45a/10 to 0.60a/10, the pitch
// 0.95a/10 to 1.30a/10 and long bars 3.40a/10 to 3.60a/10; 2 mm of white all round. Our bars
// and spaces are equally wide, so X (a bar's width) may run from 0.40 mm (a = 8) to 0.69 mm
// (a = 11.5) and makes a at least X / 0.06: the long bar at least 2.72 mm and 0.34 / 0.06 X.
constexpr SizeLimits kPostal =
    {str::kSizePostal, str::kSizePostalJa, 0.40, 0.69, 2.72, 0.34 / 0.06, 0, 0, 0, 2.0, 0};

// clang-format on

// ITF as this program has always drawn it, each digit on its own, is no symbol of any standard:
// SizeLimitsOf() gives nothing for it and its size is not judged.

constexpr double kEps = 1e-9;

bool IsPaymentCode(const std::string& text) {
    return text.size() == 44 && text.compare(0, 2, "91") == 0 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Add(Verdict& v, Reason reason, double measured, double required) {
    v.findings.push_back(Finding{reason, measured, required, {}});
}

double QuietLeft(const SizeLimits& l, double x) {
    return std::max(l.quietLeft * x, l.quietMm);
}

double QuietRight(const SizeLimits& l, double x) {
    return std::max(l.quietRight * x, l.quietMm);
}

// The longest run of black in column x through row y.
int ColumnRun(const ExportImage& image, int x, int y) {
    if (!image.At(x, y)) return 0;
    int top = y, bottom = y + 1;
    while (top > 0 && image.At(x, top - 1)) --top;
    while (bottom < image.height && image.At(x, bottom)) ++bottom;
    return bottom - top;
}

}  // namespace

const SizeLimits* SizeLimitsOf(const Meant& meant) {
    switch (meant.symbology) {
        case kSymbologyNw7:
            return &kNw7;
        case kSymbologyCode39:
            return &kCode39;
        case kSymbologyJan:
            return meant.form == kJanForm8 ? &kJan8 : &kJan13;
        case kSymbologyItf:
            if (meant.form == kItfForm14) return &kItf14;
            return meant.form == kItfFormInterleaved ? &kItf : nullptr;
        case kSymbologyCode128:
            if (meant.form != kCode128FormGs1) return &kCode128;
            return IsPaymentCode(meant.text) ? &kPayment : &kGs1128;
        case kSymbologyPostal:
            return &kPostal;
        default:
            return nullptr;
    }
}

SymbolPixels MeasureSymbol(const ExportImage& image, const Scan& scan, const Meant& meant) {
    SymbolPixels s;
    if (scan.y < 0 || scan.bars.empty() || scan.module <= 0) return s;
    // The scan has left ITF-14's frame out already: its bars are the symbol's, and left and
    // right the quiet zones inside the frame.
    s.module = scan.module;
    s.left = scan.left;
    s.right = scan.right;
    s.width = scan.bars.back().second - scan.bars.front().first;
    if (meant.symbology == kSymbologyPostal) {
        // Four-state bars: the long ones, whole, stand for the height.
        for (std::size_t i = 0; i < scan.bars.size(); ++i) {
            s.height = std::max(s.height, ColumnRun(image, scan.bars[i].first, scan.y));
        }
    } else {
        s.height = scan.rows;
    }
    return s;
}

bool JudgeOnPaper(const ExportImage& image, const Scan& scan, const Meant& meant,
                  const Paper& paper, Verdict& v) {
    if (paper.dpi <= 0 || paper.dotsPerPixel <= 0) return false;
    const SymbolPixels s = MeasureSymbol(image, scan, meant);
    if (s.module <= 0) return false;
    const double px = 25.4 * paper.dotsPerPixel / paper.dpi;
    const double x = s.module * px;
    const double height = s.height * px;
    v.moduleMm = x;
    v.barHeightMm = height;
    const SizeLimits* l = SizeLimitsOf(meant);
    if (!l) return false;
    if (l->xMin > 0 && x + kEps < l->xMin) {
        Add(v, Reason::kXDimension, x, l->xMin);
    } else if (l->xMax > 0 && x > l->xMax + kEps) {
        Add(v, Reason::kXDimension, x, l->xMax);
    }
    const double needLeft = QuietLeft(*l, x), needRight = QuietRight(*l, x);
    if (!paper.whiteAround) {
        if (s.left * px + kEps < needLeft) Add(v, Reason::kQuietZoneLeftMm, s.left * px, needLeft);
        if (s.right * px + kEps < needRight) {
            Add(v, Reason::kQuietZoneRightMm, s.right * px, needRight);
        }
    }
    const double length = s.width * px + needLeft + needRight;
    if (l->lengthMax > 0 && length > l->lengthMax + kEps) {
        Add(v, Reason::kTooLong, length, l->lengthMax);
    }
    const double needHeight =
        std::max({l->heightMin, l->heightPerX * x, l->heightPerWidth * s.width * px});
    if (height + kEps < needHeight) Add(v, Reason::kBarHeight, height, needHeight);
    return true;
}

double DotsChoice::ModuleAt(int dotsPerPixel) const {
    return dpi > 0 ? symbol.module * dotsPerPixel * 25.4 / dpi : 0;
}

double DotsChoice::LengthAt(int dotsPerPixel) const {
    if (dpi <= 0) return 0;
    const double x = ModuleAt(dotsPerPixel);
    const double bars = symbol.width * dotsPerPixel * 25.4 / dpi;
    return limits ? bars + QuietLeft(*limits, x) + QuietRight(*limits, x) : bars;
}

DotsChoice ChooseDotsPerPixel(const ExportImage& image, const Meant& meant, int dpi) {
    DotsChoice c;
    c.dpi = dpi;
    c.nearest = DotsPerPixel(dpi);
    c.dots = c.nearest;
    if (dpi <= 0) {
        c.why = DotsChoice::Why::kNoneFits;
        return c;
    }
    c.limits = SizeLimitsOf(meant);
    const Scan scan = ScanBars(image);
    c.symbol = MeasureSymbol(image, scan, meant);
    if (!c.limits || c.symbol.module <= 0) return c;
    const SizeLimits& l = *c.limits;
    auto wideEnough = [&](int k) { return l.xMin <= 0 || c.ModuleAt(k) + kEps >= l.xMin; };
    auto narrowEnough = [&](int k) { return l.xMax <= 0 || c.ModuleAt(k) <= l.xMax + kEps; };
    auto shortEnough = [&](int k) {
        return l.lengthMax <= 0 || c.LengthAt(k) <= l.lengthMax + kEps;
    };
    auto meets = [&](int k) { return wideEnough(k) && narrowEnough(k) && shortEnough(k); };
    if (meets(c.nearest)) return c;
    // Ever further from 1/96 inch; of two as near, the larger. Far enough for any standard's
    // module at any resolution the program takes.
    std::vector<int> candidates;
    for (int k = 1; k <= 8 * c.nearest + 8; ++k) candidates.push_back(k);
    const double exact = dpi / static_cast<double>(kDefaultDpi);
    std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) {
        const double da = std::abs(a - exact), db = std::abs(b - exact);
        return da != db ? da < db : a > b;
    });
    for (int k : candidates) {
        if (!meets(k)) continue;
        c.dots = k;
        c.why = k > c.nearest              ? DotsChoice::Why::kUp
                : !narrowEnough(c.nearest) ? DotsChoice::Why::kDownForWidth
                                           : DotsChoice::Why::kDownForLength;
        return c;
    }
    c.why = DotsChoice::Why::kNoneFits;
    return c;
}

std::string MillimetreText(double mm, int places, bool up) {
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    const double scaled = std::max(mm, 0.0) * static_cast<double>(scale);
    // A hair of tolerance: 0.264 is 0.264, not 0.265 rounded up.
    const double whole = up ? std::ceil(scaled - 1e-6) : std::floor(scaled + 1e-6);
    return DecimalText(static_cast<std::int64_t>(whole), scale, places);
}

std::string NearestMillimetreText(double mm, int places) {
    double half = 0.5;
    for (int i = 0; i < places; ++i) half /= 10;
    return MillimetreText(mm + half, places, false);
}

std::string MeasuredText(const Finding& f, int places) {
    // To the nearest, unless that would show it alike the limit: then away from it.
    const std::string nearest = NearestMillimetreText(f.measured, places);
    return nearest != RequiredText(f, places)
               ? nearest
               : MillimetreText(f.measured, places, f.measured > f.required);
}

std::string RequiredText(const Finding& f, int places) {
    return NearestMillimetreText(f.required, places);
}

int PlacesOf(Reason reason) {
    return reason == Reason::kXDimension ? 3 : 1;
}

std::string RoundingNote(const DotsChoice& c) {
    if (!c.limits) return {};
    const SizeLimits& l = *c.limits;
    switch (c.why) {
        case DotsChoice::Why::kUp:
            return FormatText(str::kRoundedUp, c.dots, c.dpi, c.nearest,
                              MillimetreText(c.ModuleAt(c.nearest), 3, false).c_str(), l.name,
                              MillimetreText(l.xMin, 3, true).c_str());
        case DotsChoice::Why::kDownForWidth:
            return FormatText(str::kRoundedDownWidth, c.dots, c.dpi, c.nearest,
                              MillimetreText(c.ModuleAt(c.nearest), 3, true).c_str(), l.name,
                              MillimetreText(l.xMax, 3, false).c_str());
        case DotsChoice::Why::kDownForLength:
            return FormatText(str::kRoundedDownLength, c.dots, c.dpi, c.nearest,
                              MillimetreText(c.LengthAt(c.nearest), 1, true).c_str(), l.name,
                              MillimetreText(l.lengthMax, 1, false).c_str());
        case DotsChoice::Why::kNearest:
        case DotsChoice::Why::kNoneFits:
            break;
    }
    return {};
}

std::string RoundingNoteJa(const DotsChoice& c) {
    if (!c.limits) return {};
    const SizeLimits& l = *c.limits;
    switch (c.why) {
        case DotsChoice::Why::kUp:
            return FormatText(str::kRoundedUpJa, MillimetreText(l.xMin, 3, true).c_str(), l.nameJa,
                              c.nearest);
        case DotsChoice::Why::kDownForWidth:
            return FormatText(str::kRoundedDownWidthJa, MillimetreText(l.xMax, 3, false).c_str(),
                              l.nameJa, c.nearest);
        case DotsChoice::Why::kDownForLength:
            return FormatText(str::kRoundedDownLengthJa,
                              MillimetreText(l.lengthMax, 1, false).c_str(), l.nameJa, c.nearest);
        case DotsChoice::Why::kNearest:
        case DotsChoice::Why::kNoneFits:
            break;
    }
    return {};
}

std::string NoWholeDotsNote(const DotsChoice& c) {
    const SizeLimits* l = c.limits;
    if (!l) return {};
    std::string asked;
    auto add = [&](const std::string& part) { asked += (asked.empty() ? "" : ", ") + part; };
    if (l->xMin > 0 && l->xMax > 0) {
        add(FormatText(str::kSizeModulesFrom, MillimetreText(l->xMin, 3, true).c_str(),
                       MillimetreText(l->xMax, 3, false).c_str()));
    } else if (l->xMin > 0) {
        add(FormatText(str::kSizeModulesAtLeast, MillimetreText(l->xMin, 3, true).c_str()));
    } else if (l->xMax > 0) {
        add(FormatText(str::kSizeModulesAtMost, MillimetreText(l->xMax, 3, false).c_str()));
    }
    if (l->lengthMax > 0) {
        add(FormatText(str::kSizeLengthAtMost, MillimetreText(l->lengthMax, 1, false).c_str()));
    }
    std::string note = FormatText(str::kNoWholeDots, c.dpi, l->name, asked.c_str(), c.nearest,
                                  NearestMillimetreText(c.ModuleAt(c.nearest), 3).c_str());
    if (l->lengthMax > 0) {
        note += FormatText(str::kNoWholeDotsLength,
                           NearestMillimetreText(c.LengthAt(c.nearest), 1).c_str());
    }
    return note;
}

std::string NoWholeDotsNoteJa(const DotsChoice& c) {
    const SizeLimits* l = c.limits;
    if (!l) return {};
    // What the nearest misses, in the verdict's words.
    const double x = c.ModuleAt(c.nearest);
    Finding missed{Reason::kTooLong, c.LengthAt(c.nearest), l->lengthMax, {}};
    if (l->xMin > 0 && x + kEps < l->xMin) {
        missed = Finding{Reason::kXDimension, x, l->xMin, {}};
    } else if (l->xMax > 0 && x > l->xMax + kEps) {
        missed = Finding{Reason::kXDimension, x, l->xMax, {}};
    }
    return FormatText(str::kNoWholeDotsJa, c.dpi, l->nameJa, c.nearest,
                      FindingText(missed).c_str());
}

std::string PrintNote(const ExportImage& image, const Meant& meant, int modulePixels,
                      const DotsChoice& c) {
    if (c.dpi <= 0) return {};
    const std::string module =
        DecimalText(std::int64_t{modulePixels} * c.dots * 254, std::int64_t{c.dpi} * 10, 3);
    const std::string why = RoundingNoteJa(c);
    std::string note = why.empty() ? FormatText(str::kPrintNote, module.c_str(), c.dots, c.dpi)
                                   : FormatText(str::kPrintNoteRounded, module.c_str(), c.dots,
                                                c.dpi, why.c_str());
    // The page around it is white: only the size itself is judged.
    const Verdict v = Verify(image, meant, Readers{}, Paper{c.dpi, c.dots, true});
    std::string warnings;
    for (const Finding& f : v.findings) {
        if (!IsWarning(f.reason)) continue;
        if (!warnings.empty()) warnings += str::kVerdictSeparator;
        warnings += FindingText(f);
    }
    return warnings.empty() ? note : note + "\n" + warnings;
}

}  // namespace diduzozoz::verify
