#include "job/ContentChecks.h"

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "symbology/Code39.h"
#include "symbology/Nw7.h"

namespace diduzozoz {
namespace {

template <typename Pred>
bool AllChars(std::string_view text, Pred accept) {
    for (char c : text) {
        if (!accept(c)) return false;
    }
    return true;
}

// Bytes compare as signed, so 0x80 and above lie below every range.
bool InRange(char c, int lo, int hi) {
    const int v = static_cast<signed char>(c);
    return v >= lo && v <= hi;
}

CheckOutcome RefuseThenRestore(BarcodeJob& job, const char* message) {
    job.ShowMessage(message);
    job.RestoreCode();
    return CheckOutcome::kRefused;
}

CheckOutcome RefuseAndEnd(BarcodeJob& job, const char* message) {
    job.ShowMessage(message);
    return CheckOutcome::kRefused;
}

}  // namespace

CheckOutcome CheckNw7Content(BarcodeJob& job) {
    if (!AllChars(TextView(job.m_szCode), [](char c) { return Nw7CharIndex(c) >= 0; })) {
        return RefuseThenRestore(job, str::kNw7Code);
    }
    // The start and stop letters come from lists of A to D; other callers may set anything.
    auto isLetter = [](const char* s) { return s[0] >= 'A' && s[0] <= 'D' && s[1] == 0; };
    if (!isLetter(job.m_szNW7Start) || !isLetter(job.m_szNW7Stop)) {
        return RefuseAndEnd(job, str::kStartStopLetter);
    }
    return CheckOutcome::kPassed;
}

CheckOutcome CheckCode39Content(BarcodeJob& job) {
    if (!AllChars(TextView(job.m_szCode), [](char c) { return Code39CharIndex(c) >= 0; })) {
        return RefuseThenRestore(job, str::kCode39Code);
    }
    return CheckOutcome::kPassed;
}

CheckOutcome CheckJanContent(BarcodeJob& job) {
    const std::string_view code = TextView(job.m_szCode);
    if (!AllDigits(code)) return RefuseThenRestore(job, str::kDigitsOnly);
    if (code.size() != 12) return RefuseAndEnd(job, str::kJanLength);
    return CheckOutcome::kPassed;
}

CheckOutcome CheckItfContent(BarcodeJob& job) {
    if (!AllDigits(TextView(job.m_szCode))) return RefuseThenRestore(job, str::kDigitsOnly);
    return CheckOutcome::kPassed;
}

CheckOutcome CheckCode128Content(BarcodeJob& job) {
    const std::string_view code = TextView(job.m_szCode);
    switch (job.m_szCode128Start[0]) {
        case 'A':
            if (!AllChars(code, [](char c) { return InRange(c, 0x20, 0x5F); })) {
                return RefuseThenRestore(job, str::kCode128SetA);
            }
            break;
        case 'B':
            if (!AllChars(code, [](char c) { return InRange(c, 0x20, 0x7E); })) {
                return RefuseThenRestore(job, str::kCode128SetB);
            }
            break;
        case 'C':
            if (!AllDigits(code)) return RefuseThenRestore(job, str::kCode128SetC);
            // Set C encodes digit pairs: an odd count gets a fill digit for this run only.
            if (code.size() % 2 == 1 && !job.AppendToCode("0")) {
                return RefuseThenRestore(job, str::kCodeTooLong);
            }
            break;
        default:
            return RefuseAndEnd(job, str::kStartStopLetter);
    }
    return CheckOutcome::kPassed;
}

CheckOutcome CheckPostalContent(BarcodeJob& job) {
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

}  // namespace diduzozoz
