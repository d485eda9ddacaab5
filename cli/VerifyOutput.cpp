#include "cli/VerifyOutput.h"

#include "base/Quote.h"
#include "verify/SizeLimits.h"

namespace diduzozoz::cli {

using verify::Reason;

std::string ReasonToken(const verify::Finding& f) {
    const std::string numbers =
        ":" + verify::Decimal(f.measured) + "/" + verify::Decimal(f.required);
    const int places = verify::PlacesOf(f.reason);
    const std::string mm =
        ":" + verify::MeasuredText(f, places) + "/" + verify::RequiredText(f, places) + "mm";
    switch (f.reason) {
        case Reason::kNoBars:
            return "no-bars";
        case Reason::kNotRead:
            return "not-read";
        case Reason::kWrongFormat:
            return "wrong-format";
        case Reason::kTextDiffers:
            return "text-differs";
        case Reason::kItfNotInterleaved:
            return "itf-not-interleaved";
        case Reason::kItfTooShort:
            return "itf-too-short" + numbers;
        case Reason::kJanNoCheckDigit:
            return "jan-without-check-digit";
        case Reason::kCode128NoCheck:
            return "code128-without-check-character";
        case Reason::kCode39AsteriskInData:
            return "code39-asterisk-in-data";
        case Reason::kNw7LetterInData:
            return "nw7-letter-in-data";
        case Reason::kPostalNoCheck:
            return "postal-without-check-character";
        case Reason::kPostalCheckWrong:
            return "postal-check-character" + numbers;
        case Reason::kPostalUnreadable:
            return "postal-unreadable";
        case Reason::kPostalRepresentative:
            return "warning:postal-representative-postcode";
        case Reason::kQuietZoneLeft:
            return "quiet-zone-left" + numbers;
        case Reason::kQuietZoneRight:
            return "quiet-zone-right" + numbers;
        case Reason::kReaderMissing:
            return "reader-missing";
        case Reason::kReaderFailed:
            return "reader-error";
        case Reason::kReadersDisagree:
            return "readers-disagree";
        case Reason::kGs1Data:
            return "gs1-data";
        case Reason::kXDimension:
            return "x-dimension" + mm;
        case Reason::kQuietZoneLeftMm:
            return "quiet-zone-left" + mm;
        case Reason::kQuietZoneRightMm:
            return "quiet-zone-right" + mm;
        case Reason::kTooLong:
            return "too-long" + mm;
        case Reason::kBarHeight:
            return "warning:bar-height" + mm;
    }
    return "unknown";
}

std::string VerdictColumns(const verify::Verdict* v, bool onPaper) {
    if (!v) return onPaper ? "none\t-\t-\t-\t-\t-\t-" : "none\t-\t-\t-\t-";
    std::string out;
    switch (v->outcome) {
        case verify::Outcome::kOk:
            out = "ok";
            break;
        case verify::Outcome::kFail:
            out = "fail";
            break;
        case verify::Outcome::kUnchecked:
            out = "unchecked";
            break;
    }
    out += '\t';
    out += v->read ? v->format : "-";
    out += '\t';
    out += v->read ? Quoted(v->text, Escaping::kNonPrintableAscii) : "-";
    out += '\t';
    std::string reasons;
    for (const verify::Finding& f : v->findings) {
        if (!reasons.empty()) reasons += ',';
        reasons += ReasonToken(f);
    }
    out += reasons.empty() ? "-" : reasons;
    out += '\t';
    out += v->reader;
    if (onPaper || v->onPaper) {
        const bool measured = v->moduleMm > 0;
        out += '\t';
        // Rounded to the nearest: these judge nothing.
        out += measured ? verify::NearestMillimetreText(v->moduleMm, 3) + "mm" : "-";
        out += '\t';
        out += measured ? verify::NearestMillimetreText(v->barHeightMm, 1) + "mm" : "-";
    }
    return out;
}

}  // namespace diduzozoz::cli
