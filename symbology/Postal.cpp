// Postal customer barcode: symbol table, modulus 19 check value and renderer.
#include "symbology/Postal.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "symbology/PostalAddress.h"
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

constexpr int kNoSymbol = -1;

// The 20 symbols between start and check: the postal code's digits, then the reference
// positions. The renderer draws exactly what the check value is computed from.
std::array<int, kPostalCodeDigits + kPostalRefPositions> DataArea(const CreateContext& job) {
    std::array<int, kPostalCodeDigits + kPostalRefPositions> area{};
    const std::string code = PostalCodeOf(job);
    for (int i = 0; i < kPostalCodeDigits; ++i) {
        const bool digit = static_cast<std::size_t>(i) < code.size() && IsDigit(code[i]);
        area[i] = digit ? (code[i] & 0x0F) : kNoSymbol;  // the Create command lets none through
    }
    if (IsPostalAddressForm(job.m_nPostalForm)) {
        const auto ref = AddressNumberSymbols(PostalReferenceOf(job));
        std::copy(ref.begin(), ref.end(), area.begin() + kPostalCodeDigits);
        return area;
    }
    const std::string_view ref = TextView(job.m_szRefNo);
    for (int p = 0; p < kPostalRefPositions; ++p) {
        const bool digit = static_cast<std::size_t>(p) < ref.size() && IsDigit(ref[p]);
        area[kPostalCodeDigits + p] = digit ? (ref[p] & 0x0F) : kPostalCC4;
    }
    return area;
}

}  // namespace

int PostalModulePixels(const BarcodeSettings&) {
    return kPostalPitch / 2;
}

// --- The forms' texts --------------------------------------------------------------------------

bool CopyPostalRef(BarcodeSettings& settings, std::string_view text) {
    return IsPostalAddressForm(settings.m_nPostalForm) ? CopyText(settings.m_szAddress, text)
                                                       : CopyText(settings.m_szRefNo, text);
}

std::string PostalCodeOf(const BarcodeSettings& settings) {
    std::string code(TextView(settings.m_szCode));
    // Postcodes are written 263-0023; the hyphen is no part of the barcode. Dropped where it
    // stands whatever the length, so that "263-002" is told it is no 7 digits.
    if (IsPostalAddressForm(settings.m_nPostalForm) && code.size() > 3 && code[3] == '-') {
        code.erase(3, 1);
    }
    return code;
}

std::string PostalReferenceOf(const BarcodeSettings& settings) {
    switch (settings.m_nPostalForm) {
        case kPostalFormAddressNumber: {
            std::string number(TextView(settings.m_szAddress));
            for (char& c : number) {
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            }
            return number;
        }
        case kPostalFormAddress:
            return ExtractAddressNumber(TextView(settings.m_szAddress));
        default:
            return std::string(TextView(settings.m_szRefNo));
    }
}

bool IsRepresentativePostcode(std::string_view digits) {
    return digits.size() == kPostalCodeDigits && digits.substr(5) == "00";
}

// Japan Post 郵便番号・バーコードマニュアル, バーコード (3/4) and 抜き出し法 (4/9): a letter is a
// control code and a digit, A-J CC1, K-T CC2, U-Z CC3, the digit its place in its ten; past
// the 13th place the data is cut, a control code on the 13th kept.
std::array<int, kPostalRefPositions> AddressNumberSymbols(std::string_view number) {
    std::array<int, kPostalRefPositions> out;
    out.fill(kPostalCC4);
    int p = 0;
    for (char c : number) {
        if (p == kPostalRefPositions) break;
        if (c >= '0' && c <= '9') {
            out[p++] = c - '0';
        } else if (c == '-') {
            out[p++] = kPostalHyphen;
        } else if (c >= 'A' && c <= 'Z') {
            const int letter = c - 'A';
            out[p++] = kPostalCC1 + letter / 10;
            if (p < kPostalRefPositions) out[p++] = letter % 10;
        }
    }
    return out;
}

// --- Content checks ---------------------------------------------------------------------------

namespace {

// The address forms: the postcode may be written with its hyphen; an address number holds
// digits, "-" and letters; an address anything (what is no part of the number is left out).
CheckOutcome CheckAddressForms(CreateContext& job) {
    const std::string code = PostalCodeOf(job);
    if (!AllDigits(code)) return RefuseThenRestore(job, str::kDigitsOnly);
    if (job.m_nPostalForm == kPostalFormAddressNumber &&
        !IsAddressNumberText(TextView(job.m_szAddress))) {
        job.ShowMessage(str::kAddressNumberChars);
        job.RestoreRefNo();
        return CheckOutcome::kRefused;
    }
    if (code.size() != kPostalCodeDigits) return RefuseAndEnd(job, str::kPostalLength);
    return CheckOutcome::kPassed;
}

}  // namespace

CheckOutcome CheckPostalContent(CreateContext& job) {
    if (IsPostalAddressForm(job.m_nPostalForm)) return CheckAddressForms(job);
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
    const std::string code = PostalCodeOf(job);
    const std::string ref = PostalReferenceOf(job);
    job.SetDataText(code + " - " + ref);
    std::string status = MadeStatus(TextView(job.m_szDataText));
    if (IsPostalAddressForm(job.m_nPostalForm)) {
        if (ref.empty()) status += str::kPostalNoteNoNumber;
        if (IsRepresentativePostcode(code)) status += str::kPostalNoteRepresentative;
    }
    job.SetStatus(std::move(status));

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
