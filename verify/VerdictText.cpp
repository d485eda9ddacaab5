// The verdict as the dialog shows it: one line of our own Japanese words.
#include <cstdio>

#include "base/Strings.h"
#include "render/DisplayText.h"
#include "symbology/Code128.h"
#include "symbology/Gs1.h"
#include "verify/PostalRead.h"
#include "verify/ReasonTable.h"
#include "verify/SizeLimits.h"
#include "verify/Verify.h"

namespace diduzozoz::verify {
namespace {

std::string PostalWhere(const Finding& f) {
    const int n = static_cast<int>(f.measured);
    if (f.detail == "bar") return FormatText(str::kPostalAtBar, n);
    if (f.detail == "bars") return FormatText(str::kPostalBarCount, n);
    if (f.detail == "start") return str::kPostalAtStart;
    if (f.detail == "stop") return str::kPostalAtStop;
    return FormatText(str::kPostalAtSymbol, n);
}

std::string ReasonText(const Finding& f) {
    switch (f.reason) {
        case Reason::kNoBars:
            return str::kReasonNoBars;
        case Reason::kNotRead:
            return str::kReasonNotRead;
        case Reason::kWrongFormat:
            return FormatText(str::kReasonWrongFormat,
                              DisplayText(f.detail, Code128InternalCodeName).c_str());
        case Reason::kTextDiffers:
            return FormatText(str::kReasonTextDiffers,
                              DisplayText(f.detail, Code128InternalCodeName).c_str());
        case Reason::kItfNotInterleaved:
            return str::kReasonItf;
        case Reason::kItfTooShort:
            return FormatText(str::kReasonItfShort, static_cast<int>(f.measured),
                              static_cast<int>(f.required));
        case Reason::kJanNoCheckDigit:
            return str::kReasonJanNoCheckDigit;
        case Reason::kCode128NoCheck:
            return str::kReasonCode128NoCheck;
        case Reason::kCode39AsteriskInData:
            return str::kReasonCode39Asterisk;
        case Reason::kNw7LetterInData:
            return str::kReasonNw7Letter;
        case Reason::kPostalNoCheck:
            return str::kReasonPostalNoCheck;
        case Reason::kPostalCheckWrong:
            return FormatText(str::kReasonPostalCheckWrong,
                              PostalSymbolName(static_cast<int>(f.measured)).c_str(),
                              PostalSymbolName(static_cast<int>(f.required)).c_str());
        case Reason::kPostalUnreadable:
            return FormatText(str::kReasonPostalUnreadable, PostalWhere(f).c_str());
        case Reason::kPostalRepresentative:
            return FormatText(str::kReasonPostalRepresentative, f.detail.c_str());
        case Reason::kQuietZoneLeft:
            return FormatText(str::kReasonQuietLeft, Decimal(f.measured).c_str(),
                              Decimal(f.required).c_str());
        case Reason::kQuietZoneRight:
            return FormatText(str::kReasonQuietRight, Decimal(f.measured).c_str(),
                              Decimal(f.required).c_str());
        case Reason::kReaderMissing:
            return str::kReasonReaderMissing;
        case Reason::kReaderFailed:
            return FormatText(str::kReasonReaderFailed,
                              DisplayText(f.detail, Code128InternalCodeName).c_str());
        case Reason::kGs1Data:
            return FormatText(str::kReasonGs1Data, f.detail.c_str());
        case Reason::kReadersDisagree:
            return FormatText(str::kReasonReadersDisagree,
                              f.detail.empty()
                                  ? str::kReasonNotRead
                                  : DisplayText(f.detail, Code128InternalCodeName).c_str());
        case Reason::kXDimension:
            return FormatText(f.measured < f.required ? str::kReasonXNarrow : str::kReasonXWide,
                              MeasuredText(f, 3).c_str(), RequiredText(f, 3).c_str());
        case Reason::kQuietZoneLeftMm:
            return FormatText(str::kReasonQuietLeftMm, MeasuredText(f, 1).c_str(),
                              RequiredText(f, 1).c_str());
        case Reason::kQuietZoneRightMm:
            return FormatText(str::kReasonQuietRightMm, MeasuredText(f, 1).c_str(),
                              RequiredText(f, 1).c_str());
        case Reason::kTooLong:
            return FormatText(str::kReasonTooLong, MeasuredText(f, 1).c_str(),
                              RequiredText(f, 1).c_str());
        case Reason::kBarHeight:
            return FormatText(str::kReasonBarHeight, MeasuredText(f, 1).c_str(),
                              RequiredText(f, 1).c_str());
    }
    return {};
}

// Whether the symbol was read back as meant, so what is wrong is the standard, not the
// reading.
bool ReadAsMeant(const Verdict& v) {
    if (!v.read) return false;
    for (const Finding& f : v.findings) {
        if (RowOf(f.reason).misread) return false;
    }
    return true;
}

// What was read, for a person: GS1 data with its AIs in parentheses, as printed under the
// bars, where the element string reads as GS1 data.
std::string ReadText(const Verdict& v) {
    std::string unused;
    if (v.format == "GS1-128") {
        if (const auto data = CheckGs1ElementString(v.text, unused)) return Gs1Readable(*data);
    }
    return DisplayText(v.text, Code128InternalCodeName);
}

}  // namespace

std::string Decimal(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", value);
    std::string s = buf;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s;
}

std::string FindingText(const Finding& f) {
    return IsWarning(f.reason) ? FormatText(str::kReasonWarning, ReasonText(f).c_str())
                               : ReasonText(f);
}

std::string VerdictText(const Verdict& v) {
    bool explained = false;
    for (const Finding& f : v.findings) explained = explained || RowOf(f.reason).explains;
    std::string reasons;
    for (const Finding& f : v.findings) {
        if (f.reason == Reason::kNotRead && explained) continue;
        if (!reasons.empty()) reasons += str::kVerdictSeparator;
        reasons += FindingText(f);
    }
    if (v.outcome == Outcome::kOk) {
        const std::string shown = ReadText(v);
        // Nothing but warnings, if anything.
        return reasons.empty() ? FormatText(str::kVerdictOk, v.format.c_str(), shown.c_str())
                               : FormatText(str::kVerdictOkWarning, v.format.c_str(), shown.c_str(),
                                            reasons.c_str());
    }
    if (v.outcome == Outcome::kUnchecked) {
        return FormatText(str::kVerdictUnchecked, reasons.c_str());
    }
    return FormatText(ReadAsMeant(v) ? str::kVerdictNonStandard : str::kVerdictUnreadable,
                      reasons.c_str());
}

}  // namespace diduzozoz::verify
