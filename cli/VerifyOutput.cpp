#include "cli/VerifyOutput.h"

#include "cli/Printable.h"

namespace diduzozoz::cli {
namespace {

using verify::Reason;

std::string Token(const verify::Finding& f) {
    const std::string numbers =
        ":" + verify::Decimal(f.measured) + "/" + verify::Decimal(f.required);
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
            return "postal-representative-postcode";
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
    }
    return "unknown";
}

}  // namespace

std::string VerdictColumns(const verify::Verdict* v) {
    if (!v) return "none\t-\t-\t-\t-";
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
    out += v->read ? Printable(v->text, Escaping::kNonPrintableAscii) : "-";
    out += '\t';
    std::string reasons;
    for (const verify::Finding& f : v->findings) {
        if (!reasons.empty()) reasons += ',';
        reasons += Token(f);
    }
    out += reasons.empty() ? "-" : reasons;
    out += '\t';
    out += v->reader;
    return out;
}

}  // namespace diduzozoz::cli
