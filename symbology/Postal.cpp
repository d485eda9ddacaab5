// Postal customer barcode: symbol table, modulus 19 check value and renderer.
#include "symbology/Postal.h"

#include <array>
#include <iterator>
#include <string>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "symbology/Skeleton.h"

namespace diduzozoz {
namespace {

// --- Bar kinds and symbols --------------------------------------------------------------------

struct Sections {
    int upper, middle, lower;
};

// Colours of the three sections of each bar kind, in PostalBarKind order.
constexpr Sections POSTAL_BAR_SECTIONS[] = {
    {kBlack, kBlack, kBlack},  // LongBar
    {kBlack, kBlack, kWhite},  // AscenderBar
    {kWhite, kBlack, kBlack},  // DescenderBar
    {kWhite, kBlack, kWhite},  // TimingBar
};
static_assert(std::size(POSTAL_BAR_SECTIONS) == 4);

struct SymbolBars {
    int count;
    PostalBarKind bars[3];
};

constexpr PostalBarKind L = PostalBarKind::LongBar;
constexpr PostalBarKind A = PostalBarKind::AscenderBar;
constexpr PostalBarKind D = PostalBarKind::DescenderBar;
constexpr PostalBarKind T = PostalBarKind::TimingBar;

// The character table of the Japan Post customer barcode, bars from left to right, indexed
// by PostalSymbol: the digits, the hyphen and CC1 to CC8 at their check values 0 to 18, then
// start and stop.
constexpr SymbolBars POSTAL_SYMBOLS[] = {
    {3, {L, T, T}},  // 0
    {3, {L, L, T}},  // 1
    {3, {L, D, A}},  // 2
    {3, {D, L, A}},  // 3
    {3, {L, A, D}},  // 4
    {3, {L, T, L}},  // 5
    {3, {D, A, L}},  // 6
    {3, {A, L, D}},  // 7
    {3, {A, D, L}},  // 8
    {3, {T, L, L}},  // 9
    {3, {T, L, T}},  // hyphen
    {3, {D, A, T}},  // CC1
    {3, {D, T, A}},  // CC2
    {3, {A, D, T}},  // CC3
    {3, {T, D, A}},  // CC4
    {3, {A, T, D}},  // CC5
    {3, {T, A, D}},  // CC6
    {3, {T, T, L}},  // CC7
    {3, {L, L, L}},  // CC8
    {2, {L, D}},     // start
    {2, {D, L}},     // stop
};
static_assert(std::size(POSTAL_SYMBOLS) == kPostalSymbolCount);

constexpr int kCodeDigits = 7;
constexpr int kRefPositions = 13;
constexpr int kNoSymbol = -1;

// The 20 symbols between start and check: the postal code's digits, then the reference
// number padded with CC4. The renderer draws exactly what the check value is computed from.
std::array<int, kCodeDigits + kRefPositions> DataArea(const CreateContext& job) {
    std::array<int, kCodeDigits + kRefPositions> area{};
    const std::string_view code = TextView(job.m_szCode);
    const std::string_view ref = TextView(job.m_szRefNo);
    for (int i = 0; i < kCodeDigits; ++i) {
        const bool digit = static_cast<std::size_t>(i) < code.size() && IsDigit(code[i]);
        area[i] = digit ? (code[i] & 0x0F) : kNoSymbol;  // the Create command lets none through
    }
    for (int p = 0; p < kRefPositions; ++p) {
        const bool digit = static_cast<std::size_t>(p) < ref.size() && IsDigit(ref[p]);
        area[kCodeDigits + p] = digit ? (ref[p] & 0x0F) : kPostalCC4;
    }
    return area;
}

}  // namespace

int PostalModulePixels(const BarcodeSettings&) {
    return kPostalPitch / 2;
}

CheckOutcome CheckPostalContent(CreateContext& job) {
    const std::string_view code = TextView(job.m_szCode);
    if (!AllDigits(code)) return RefuseThenRestore(job, str::kDigitsOnly);
    if (!AllDigits(TextView(job.m_szRefNo))) {
        job.ShowMessage(str::kDigitsOnly);
        job.RestoreRefNo();
        return CheckOutcome::kRefused;
    }
    if (code.size() != 7) return RefuseAndEnd(job, str::kPostalLength);
    if (TextLength(job.m_szRefNo) > 13) return RefuseAndEnd(job, str::kRefNoLength);
    return CheckOutcome::kPassed;
}

// --- Check value ------------------------------------------------------------------------------

void PostalCheckDigit(CreateContext& job) {
    if (CheckDigitWanted(job.m_nCdPostal, 1)) {
        CheckMod19(job);
    } else {
        // A value left from an earlier run belongs to other data: draw no check symbol.
        job.m_nPostalCheck = -1;
    }
}

void CheckMod19(CreateContext& job) {
    int sum = 0;
    for (int value : DataArea(job)) {
        if (value != kNoSymbol) sum += value;
    }
    const int rest = sum % kPostalCheckValues;
    job.m_nPostalCheck = rest == 0 ? 0 : kPostalCheckValues - rest;
}

// --- Drawing ----------------------------------------------------------------------------------

int DrawPostalBar(CreateContext& job, int upper, int middle, int lower, int x, int y) {
    const int f = job.m_nBarHeight / 10;
    BarCanvas& c = job.m_canvas;
    // Top down, so the lower section is drawn last; the gap after the whole bar.
    c.DrawLine(kWhite, 2, x, y, x, y + f);
    c.DrawLine(upper, 2, x, y + f, x, y + 2 * f);
    c.DrawLine(middle, 2, x, y + 2 * f, x, y + 3 * f);
    c.DrawLine(lower, 2, x, y + 3 * f, x, y + 4 * f);
    c.DrawLine(kWhite, 2, x, y + 4 * f, x, y + 5 * f);
    c.DrawLine(kWhite, 2, x + 2, y, x + 2, y + 5 * f);
    return x + kPostalPitch;
}

int DrawPostalSymbol(CreateContext& job, int symbol, int x, int y) {
    if (symbol < 0 || symbol >= kPostalSymbolCount) return x;
    const SymbolBars& s = POSTAL_SYMBOLS[symbol];
    for (int i = 0; i < s.count; ++i) {
        const Sections& sec = POSTAL_BAR_SECTIONS[static_cast<int>(s.bars[i])];
        x = DrawPostalBar(job, sec.upper, sec.middle, sec.lower, x, y);
    }
    return x;
}

void RenderPostal(CreateContext& job) {
    std::string data(TextView(job.m_szCode));
    data += " - ";
    data += TextView(job.m_szRefNo);
    job.SetDataText(data);
    job.SetStatus(MadeStatus(TextView(job.m_szDataText)));

    int x = DrawPostalSymbol(job, kPostalStart, kPostalX0, kPostalY0);
    for (int symbol : DataArea(job)) x = DrawPostalSymbol(job, symbol, x, kPostalY0);
    if (job.m_nPostalCheck >= 0 && job.m_nPostalCheck < kPostalCheckValues) {
        x = DrawPostalSymbol(job, job.m_nPostalCheck, x, kPostalY0);
    }
    x = DrawPostalSymbol(job, kPostalStop, x, kPostalY0);
    const int w = x;

    DrawCaption(job, kPostalX0);
    job.RequestRepaint();
    job.Export(w, job.TotalHeight());
}

}  // namespace diduzozoz
