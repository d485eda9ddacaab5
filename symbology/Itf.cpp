// ITF in its three forms: every digit on its own between start "S" and stop "E" (the form the
// program has always drawn), interleaved 2 of 5, and ITF-14 framed by its bearer bars. The
// patterns, the check digit and the renderers.
#include "symbology/Itf.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "symbology/CheckDigits.h"
#include "symbology/Skeleton.h"

namespace diduzozoz {
namespace {

// Digits: the five bar widths of the 2 of 5 code (weights 1, 2, 4, 7 and parity, as in
// ISO/IEC 16390), a wide bar two modules, every bar followed by a one-module space. Start and
// stop: the narrow-narrow start and wide-narrow stop bars of ITF, with one-module spaces.
constexpr ModulePattern ITF_PATTERNS[] = {
    "101011011010", "110101010110", "101101010110", "110110101010", "101011010110",
    "110101101010", "101101101010", "101010110110", "110101011010", "101101011010",
    "01010",  // S
    "11010",  // E
};
static_assert(std::size(ITF_PATTERNS) == sizeof kItfCharSet - 1);

constexpr int kItfSetSize = static_cast<int>(sizeof kItfCharSet - 1);

// Interleaved 2 of 5, ISO/IEC 16390 table 1: the five elements of each digit, N narrow and W
// wide. A pair of digits is drawn as one: the first in the five bars, the second in the five
// spaces that follow them, bar and space alternating.
constexpr const char* ITF_ELEMENTS[] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                        "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};
static_assert(std::size(ITF_ELEMENTS) == 10);
// A wide element is 3 modules: the ratio 3:1 lies inside ISO/IEC 16390's 2.0-3.0 and GS1's
// 2.25-3.0 for ITF-14 at every line unit. Start: narrow bar, space, bar, space; stop: wide
// bar, narrow space, narrow bar (ISO/IEC 16390, start and stop patterns).
constexpr int kWideModules = 3;
constexpr char ITF_START[] = "1010";
constexpr char ITF_STOP[] = "11101";

// ITF-14, GS1 General Specifications 5.3: 13 digits and the check digit; bearer bars at least
// 2X thick (5X drawn, closed as a frame around the symbol) and quiet zones of at least 10X
// inside the frame.
constexpr FixedLength kItf14Rule = {13, str::kItf14Length, str::kItf14LengthWithCd,
                                    str::kItf14WrongCd};
constexpr int kBearerModules = 5;
constexpr int kItf14QuietModules = 10;

// The digits as the interleaved forms draw them: pairs, so an odd count gets a leading 0.
std::string InterleavedDigits(std::string_view code) {
    std::string digits = code.size() % 2 ? "0" : "";
    digits += code;
    return digits;
}

// Start, the pairs and stop as modules ("1" bar, "0" space); false where a character is no
// digit or the count is odd.
bool InterleavedModules(std::string_view digits, std::string& out) {
    if (digits.size() % 2 != 0 || !AllDigits(digits)) return false;
    out = ITF_START;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const char* bars = ITF_ELEMENTS[digits[i] - '0'];
        const char* spaces = ITF_ELEMENTS[digits[i + 1] - '0'];
        for (int k = 0; k < 5; ++k) {
            out.append(bars[k] == 'W' ? kWideModules : 1, '1');
            out.append(spaces[k] == 'W' ? kWideModules : 1, '0');
        }
    }
    out += ITF_STOP;
    return true;
}

// The caption shows blanks where the plain form's start and stop stand, so the digits of all
// three forms stand in the same place.
void SetItfTexts(CreateContext& job, std::string_view digits) {
    job.SetDataText(" " + std::string(digits) + " ");
    job.SetStatus(MadeStatus(digits));
}

void RenderInterleaved(CreateContext& job) {
    const std::string digits = InterleavedDigits(TextView(job.m_szCode));
    SetItfTexts(job, digits);
    std::string modules;
    const bool drawable = InterleavedModules(digits, modules);
    SkeletonRenderer r(job);
    if (!drawable) {
        r.Stop();
        return;
    }
    r.Modules(modules.c_str());
    // The stop ends in a bar, which stays whole: the right margin begins after it.
    r.Complete({.marginAfterLast = true});
}

// ITF-14 inside its frame. Across: two white columns (every drawing begins at x = 2), the
// frame's side, the quiet zone of max(margin, 10 modules), the symbol, the quiet zone, the
// side, two white columns. Down: the top margin, the top bearer, the bars, the bottom bearer,
// the bottom margin. The caption stands outside the frame as other captions stand to their
// bars.
void RenderItf14(CreateContext& job) {
    const std::string_view digits = TextView(job.m_szCode);
    SetItfTexts(job, digits);
    std::string modules;
    if (digits.size() != kItf14Rule.digits + 1 || !InterleavedModules(digits, modules)) {
        job.SetStatus(FormatText(str::kStatusIncomplete, job.m_szDataText));
        job.RequestRepaint();
        return;
    }
    const int unit = job.m_nLineUnit;
    const int bearer = kBearerModules * unit;
    const int quiet = std::max(job.m_nMarginX, kItf14QuietModules * unit);
    const int count = static_cast<int>(modules.size());

    constexpr int kFrameLeft = 2;
    const int symbolLeft = kFrameLeft + bearer + quiet;
    const int frameRight = symbolLeft + count * unit + quiet + bearer;  // one past the frame
    const int w = frameRight + 2;
    const int frameTop = job.m_nMarginY;
    const int barTop = frameTop + bearer;
    const int barBottom = barTop + job.m_nBarHeight;
    const int frameBottom = barBottom + bearer;
    const int h = frameBottom + job.m_nMarginY;

    // A module is centred on its x: a band `unit` wide starts (unit - 1) / 2 before it.
    const int x0 = symbolLeft + (unit - 1) / 2;
    job.m_modules.resize(modules.size());
    std::transform(modules.begin(), modules.end(), job.m_modules.begin(),
                   [](char m) { return static_cast<std::uint8_t>(ModuleColour(m) == kBlack); });
    job.m_canvas.DrawColumns(job.m_modules.data(), count, x0, unit, SkeletonRenderer::kYTop, barTop,
                             barBottom, h);
    job.m_modules.clear();
    for (int y = frameTop; y < barTop; ++y) {
        job.m_canvas.DrawLine(kBlack, 1, kFrameLeft, y, frameRight, y);
    }
    for (int y = barBottom; y < frameBottom; ++y) {
        job.m_canvas.DrawLine(kBlack, 1, kFrameLeft, y, frameRight, y);
    }
    for (int i = 0; i < bearer; ++i) {
        job.m_canvas.DrawLine(kBlack, 1, kFrameLeft + i, barTop, kFrameLeft + i, barBottom);
        job.m_canvas.DrawLine(kBlack, 1, frameRight - 1 - i, barTop, frameRight - 1 - i, barBottom);
    }
    // From the first module as the skeleton's caption is: textX = x0 - 4, the text at + 20.
    const int captionX = x0 - 4 + 20;
    if (job.m_nTextPosition == kTextBelow) {
        job.m_canvas.DrawText(captionX, frameBottom, TextView(job.m_szDataText));
    } else if (job.m_nTextPosition == kTextAbove) {
        job.m_canvas.DrawText(captionX, frameTop - 18, TextView(job.m_szDataText));
    }
    job.RequestRepaint();
    job.Export(w, h);
}

}  // namespace

CheckOutcome CheckItfContent(CreateContext& job) {
    if (job.m_nItfForm == kItfForm14) {
        return CheckFixedLength(job, CheckDigitWanted(job.m_nCdItf, 1), kItf14Rule);
    }
    if (!AllDigits(TextView(job.m_szCode))) return RefuseThenRestore(job, str::kDigitsOnly);
    return CheckOutcome::kPassed;
}

int ItfCharIndex(char c) {
    return CharIndexIn(kItfCharSet, c);
}

void BuildItfTable(PatternTable& table) {
    table.Fill(ITF_PATTERNS, kItfSetSize);
}

void ItfCheckDigit(CreateContext& job) {
    if (CheckDigitWanted(job.m_nCdItf, 1)) CheckMod10W3(job);
}

void RenderItf(CreateContext& job) {
    switch (job.m_nItfForm) {
        case kItfFormInterleaved:
            RenderInterleaved(job);
            return;
        case kItfForm14:
            RenderItf14(job);
            return;
        default:
            break;
    }
    RenderFramed(job, {.start = "S",
                       .stop = "E",
                       .buildTable = BuildItfTable,
                       .lookup = ItfCharIndex,
                       .barsOnlyFrame = true});
}

}  // namespace diduzozoz
