#include "verify/Verify.h"

#include <algorithm>

#include "base/BoundedCopy.h"
#include "job/BarcodeJob.h"
#include "symbology/Code128Forms.h"
#include "symbology/Gs1.h"
#include "symbology/Postal.h"
#include "verify/PostalRead.h"
#include "verify/ReasonTable.h"
#include "verify/Scan.h"
#include "verify/SizeLimits.h"

namespace diduzozoz::verify {
namespace {

struct QuietZone {
    double left;
    double right;
};

// The least white before the first bar and after the last, in modules (the postal code: in
// bar widths), by Symbology value.
constexpr QuietZone kQuietZones[kSymbologyCount] = {
    {0, 0},
    {10, 10},  // NW-7: Codabar, EN 798 and ANSI/AIM BC3: 10X each side
    {10, 10},  // CODE39: ISO/IEC 16388: 10X each side
    {11, 7},   // JAN: EAN-13, ISO/IEC 15420 and JIS X 0507: 11X left, 7X right
    {10, 10},  // ITF: ISO/IEC 16390: 10X each side
    {10, 10},  // CODE128: ISO/IEC 15417: 10X each side
    // Postal: Japan Post asks for 2 mm of white around the customer barcode, whose nominal
    // bar is 0.6 mm wide (a 1.2 mm pitch): 2 / 0.6 bar widths.
    {2.0 / 0.6, 2.0 / 0.6},
};
// JAN-8: EAN-8, ISO/IEC 15420: 7X each side. ITF-14's are measured inside its frame.
constexpr QuietZone kJan8QuietZone = {7, 7};

// Readers refuse interleaved 2 of 5 of fewer digits by default (ZXing-C++ and zbar: 6).
constexpr int kItfMinDigits = 6;

bool IsJan8(const Meant& meant) {
    return meant.symbology == kSymbologyJan && meant.form == kJanForm8;
}

bool IsInterleaved(const Meant& meant) {
    return meant.symbology == kSymbologyItf &&
           (meant.form == kItfFormInterleaved || meant.form == kItfForm14);
}

void Add(Verdict& v, Reason reason, double measured = 0, double required = 0,
         std::string detail = {}) {
    v.findings.push_back(Finding{reason, measured, required, std::move(detail)});
}

// The format a reader names for what meant draws: GS1-128 is CODE128 with FNC1 first.
const char* FormatOf(const Meant& meant) {
    if (IsJan8(meant)) return "EAN-8";
    if (meant.symbology == kSymbologyCode128 && meant.form == kCode128FormGs1) return "GS1-128";
    switch (meant.symbology) {
        case kSymbologyNw7:
            return "CODABAR";
        case kSymbologyCode39:
            return "CODE39";
        case kSymbologyJan:
            return "EAN-13";
        case kSymbologyItf:
            return "ITF";
        case kSymbologyCode128:
            return "CODE128";
        case kSymbologyPostal:
            return "JAPAN-POST";
        default:
            return "";
    }
}

bool Code128ChoosesSets(const Meant& meant) {
    return meant.symbology == kSymbologyCode128 &&
           (meant.form == kCode128FormAuto || meant.form == kCode128FormGs1);
}

// What a reader reports for a symbol that carries meant: the check character is not data in
// CODE128, nor in CODE39 when the reader is asked to check it; set A's NUL is a byte 0.
std::string ExpectedBytes(const Meant& meant) {
    if (Code128ChoosesSets(meant)) return meant.text;  // already as a reader reports it
    std::string text = meant.text;
    if (meant.symbology == kSymbologyCode39 && meant.checkCharacter && !text.empty()) {
        text.pop_back();
    }
    if (meant.symbology == kSymbologyCode128) {
        if (meant.checkCharacter) {
            const std::size_t n = meant.code128Set == 'C' ? 2 : 1;
            text.resize(text.size() >= n ? text.size() - n : 0);
        }
        if (meant.code128Set == 'A') std::replace(text.begin(), text.end(), '\x80', '\0');
    }
    return text;
}

// Symbols the program can draw that no standard reader should accept, named for the user.
void NonStandard(const Meant& meant, Verdict& v) {
    const std::string& t = meant.text;
    switch (meant.symbology) {
        case kSymbologyNw7:
            if (t.size() > 2 && t.find_first_of("ABCD", 1) < t.size() - 1) {
                Add(v, Reason::kNw7LetterInData);
            }
            break;
        case kSymbologyCode39:
            if (t.find('*') != std::string::npos) {
                Add(v, Reason::kCode39AsteriskInData);
            }
            break;
        case kSymbologyJan:
            if (!IsJan8(meant) && t.size() != 13) Add(v, Reason::kJanNoCheckDigit);
            break;
        case kSymbologyItf:
            if (!IsInterleaved(meant)) {
                Add(v, Reason::kItfNotInterleaved);
            } else if (t.size() < kItfMinDigits) {
                Add(v, Reason::kItfTooShort, static_cast<double>(t.size()), kItfMinDigits);
            }
            break;
        case kSymbologyCode128:
            if (!meant.checkCharacter) Add(v, Reason::kCode128NoCheck);
            break;
        case kSymbologyPostal:
            // Japan Post asks for no customer barcode where no town is listed.
            if (IsPostalAddressForm(meant.form) && IsRepresentativePostcode(t)) {
                Add(v, Reason::kPostalRepresentative, 0, 0, t);
            }
            break;
        default:
            break;
    }
}

void QuietZones(const Scan& scan, const Meant& meant, Verdict& v) {
    if (meant.symbology < 0 || meant.symbology >= kSymbologyCount || scan.module <= 0) return;
    const QuietZone& need = IsJan8(meant) ? kJan8QuietZone : kQuietZones[meant.symbology];
    const double left = static_cast<double>(scan.left) / scan.module;
    const double right = static_cast<double>(scan.right) / scan.module;
    constexpr double kEps = 1e-9;
    if (left + kEps < need.left) Add(v, Reason::kQuietZoneLeft, left, need.left);
    if (right + kEps < need.right) {
        Add(v, Reason::kQuietZoneRight, right, need.right);
    }
}

void ReadPostalBack(const ExportImage& image, const Scan& scan, const Meant& meant, Verdict& v) {
    const PostalRead read = ReadPostal(image, scan);
    if (!read.ok) {
        Add(v, Reason::kPostalUnreadable, 0, 0, read.where);
        return;
    }
    v.read = true;
    v.format = FormatOf(meant);
    v.text = read.text;
    const int right = PostalCheckOf(read.data);
    if (read.check < 0) {
        Add(v, Reason::kPostalNoCheck);
    } else if (read.check != right) {
        Add(v, Reason::kPostalCheckWrong, static_cast<double>(read.check),
            static_cast<double>(right));
    }
    // The address forms' number as the cut after 20 symbols leaves it.
    const std::string ref =
        IsPostalAddressForm(meant.form) ? PostalNumberAsRead(meant.refNo) : meant.refNo;
    if (read.text != meant.text + " - " + ref) {
        Add(v, Reason::kTextDiffers, 0, 0, read.text);
    }
}

// What a reader read, as a disagreement quotes it; empty when it read nothing.
std::string Reading(const ReadResult& r) {
    return r.status == ReadResult::Status::kRead ? r.format + " " + r.bytes : std::string();
}

bool SameReading(const ReadResult& a, const ReadResult& b) {
    return a.status == b.status && a.format == b.format && a.bytes == b.bytes;
}

// The findings of what the followed reader read.
void Judge(const ReadResult& r, const Meant& meant, Verdict& v) {
    if (r.status == ReadResult::Status::kNothing) {
        Add(v, Reason::kNotRead);
        return;
    }
    v.read = true;
    v.format = r.format;
    v.text = r.bytes;
    if (r.format != FormatOf(meant)) {
        Add(v, Reason::kWrongFormat, 0, 0, r.format);
    } else if (r.bytes != ExpectedBytes(meant)) {
        Add(v, Reason::kTextDiffers, 0, 0, r.bytes);
    }
    // GS1-128 data must also be what the AI table allows, check digits right.
    std::string why;
    if (r.format == "GS1-128" && !CheckGs1ElementString(r.bytes, why)) {
        Add(v, Reason::kGs1Data, 0, 0, why);
    }
}

void ReadModules(const ExportImage& image, const Meant& meant, const Readers& readers, Verdict& v) {
    const Reader* followed = readers.independent ? readers.independent : readers.own;
    if (!followed) {
        Add(v, Reason::kReaderMissing);
        return;
    }
    ReadRequest request;
    request.symbology = meant.symbology;
    request.code39Check = meant.symbology == kSymbologyCode39 && meant.checkCharacter;
    const ReadResult r = followed->Read(image, request);
    if (r.status == ReadResult::Status::kError) {
        Add(v, Reason::kReaderFailed, 0, 0, r.error);
        return;
    }
    Judge(r, meant, v);
    if (readers.independent && readers.own) {
        const ReadResult ours = readers.own->Read(image, request);
        if (!SameReading(r, ours)) Add(v, Reason::kReadersDisagree, 0, 0, Reading(ours));
    }
}

}  // namespace

std::string Readers::Name() const {
    if (independent && own) return "both";
    if (independent) return independent->Name();
    return own ? own->Name() : "-";
}

bool Verdict::Has(Reason r) const {
    return Find(r) != nullptr;
}

const Finding* Verdict::Find(Reason r) const {
    for (const Finding& f : findings) {
        if (f.reason == r) return &f;
    }
    return nullptr;
}

bool IsFailure(Reason reason) {
    return RowOf(reason).failure;
}

bool IsWarning(Reason reason) {
    return RowOf(reason).told == Told::kWarning;
}

Meant MeantOf(const BarcodeJob& job) {
    Meant m;
    m.symbology = job.m_nSymbology;
    m.form = job.FormValue(job.m_nSymbology);
    std::string_view data = TextView(job.m_szDataText);
    auto checkOn = [](int word) {
        return (word & kCheckDigitOnMask) != 0 && (word & kPatternMask) == 1;
    };
    switch (job.m_nSymbology) {
        case kSymbologyCode39:  // "*" + code + "*"
        case kSymbologyItf:     // the caption form: a blank, the digits, a blank
            m.text = data.size() >= 2 ? data.substr(1, data.size() - 2) : std::string_view();
            m.checkCharacter = job.m_nSymbology == kSymbologyCode39 && checkOn(job.m_nCdCode39);
            break;
        case kSymbologyCode128: {
            m.text = data;
            m.code128Set = job.m_szCode128Start[0];
            m.checkCharacter = checkOn(job.m_nCdCode128);
            // The forms that choose their sets keep no text of their symbols: worked out anew
            // from the code text, as the run did.
            Code128Encoding enc;
            std::string error;
            if (Code128ChoosesSets(m) && EncodeCode128Form(job, enc, error)) {
                m.text = enc.meant;
                m.code128Set = enc.start;
                m.checkCharacter = enc.checkSymbol;
            }
            break;
        }
        case kSymbologyPostal:
            if (IsPostalAddressForm(m.form)) {
                // The postcode and the address number as drawn: "2630023 - 3-30-8-403".
                const std::size_t dash = data.find(" - ");
                m.text = data.substr(0, dash);
                m.refNo =
                    dash == std::string_view::npos ? std::string_view() : data.substr(dash + 3);
                break;
            }
            m.text = TextView(job.m_szCode);
            m.refNo = TextView(job.m_szRefNo);
            break;
        default:
            m.text = data;
            break;
    }
    return m;
}

Verdict Verify(const ExportImage& image, const Meant& meant, const Readers& readers) {
    return Verify(image, meant, readers, Paper{});
}

Verdict Verify(const ExportImage& image, const Meant& meant, const Readers& readers,
               const Paper& paper) {
    Verdict v;
    v.reader = meant.symbology == kSymbologyPostal ? "own" : readers.Name();
    v.onPaper = paper.dpi > 0;
    NonStandard(meant, v);
    const Scan scan = ScanBars(image);
    if (scan.y < 0) {
        Add(v, Reason::kNoBars);
    } else {
        if (!JudgeOnPaper(image, scan, meant, paper, v)) QuietZones(scan, meant, v);
        if (meant.symbology == kSymbologyPostal) {
            ReadPostalBack(image, scan, meant, v);
        } else if (meant.symbology >= kSymbologyNw7 && meant.symbology <= kSymbologyCode128) {
            ReadModules(image, meant, readers, v);
        } else {
            Add(v, Reason::kNotRead);
        }
    }
    // Told group by group, each group in the order it was found.
    std::stable_sort(v.findings.begin(), v.findings.end(), [](const Finding& a, const Finding& b) {
        return RowOf(a.reason).told < RowOf(b.reason).told;
    });
    const bool failed = std::any_of(v.findings.begin(), v.findings.end(),
                                    [](const Finding& f) { return IsFailure(f.reason); });
    const bool unchecked = std::any_of(v.findings.begin(), v.findings.end(), [](const Finding& f) {
        return RowOf(f.reason).told == Told::kUnchecked;
    });
    v.outcome = failed ? Outcome::kFail : unchecked ? Outcome::kUnchecked : Outcome::kOk;
    return v;
}

}  // namespace diduzozoz::verify
