// What each finding's reason means to the verdict, one row per Reason: where it is told among
// the findings, whether it makes the drawing unfit, and how the one-line verdict treats it.
// Private to verify/.
#pragma once

#include <cstddef>
#include <iterator>

#include "verify/Verify.h"

namespace diduzozoz::verify {

// The groups findings are told in, first to last.
enum class Told {
    kNonStandard,  // what makes the symbol non-standard
    kReading,      // what went wrong in reading it
    kSize,         // the size on paper
    kQuietZone,    // the quiet zones
    kUnchecked,    // what could not be checked
    kWarning,      // what does not change the outcome
};

struct ReasonRow {
    Reason reason;
    Told told;
    bool failure;   // makes the drawing unfit; otherwise it leaves it unchecked, or warns
    bool explains;  // a named cause of nothing being read: "not read" need not be said as well
    bool misread;   // the symbol was read, but not as meant
};

// In the order of Reason, so that a reason is its own index.
// clang-format off
inline constexpr ReasonRow kReasonRows[] = {
    // reason                       told                failure explains misread
    {Reason::kNoBars,               Told::kReading,     true,   false,   false},
    {Reason::kNotRead,              Told::kReading,     true,   false,   false},
    {Reason::kWrongFormat,          Told::kReading,     true,   false,   true},
    {Reason::kTextDiffers,          Told::kReading,     true,   false,   true},
    {Reason::kItfNotInterleaved,    Told::kNonStandard, true,   true,    false},
    {Reason::kItfTooShort,          Told::kNonStandard, true,   true,    false},
    {Reason::kJanNoCheckDigit,      Told::kNonStandard, true,   true,    false},
    {Reason::kCode128NoCheck,       Told::kNonStandard, true,   true,    false},
    {Reason::kCode39AsteriskInData, Told::kNonStandard, true,   true,    false},
    {Reason::kNw7LetterInData,      Told::kNonStandard, true,   true,    false},
    {Reason::kPostalNoCheck,        Told::kNonStandard, true,   false,   false},
    {Reason::kPostalCheckWrong,     Told::kReading,     true,   false,   true},
    {Reason::kPostalUnreadable,     Told::kReading,     true,   false,   true},
    {Reason::kPostalRepresentative, Told::kWarning,     false,  false,   false},
    {Reason::kQuietZoneLeft,        Told::kQuietZone,   true,   false,   false},
    {Reason::kQuietZoneRight,       Told::kQuietZone,   true,   false,   false},
    {Reason::kReaderMissing,        Told::kUnchecked,   false,  false,   false},
    {Reason::kReaderFailed,         Told::kUnchecked,   false,  false,   false},
    {Reason::kReadersDisagree,      Told::kReading,     true,   false,   true},
    {Reason::kGs1Data,              Told::kNonStandard, true,   false,   false},
    {Reason::kXDimension,           Told::kSize,        true,   false,   false},
    {Reason::kQuietZoneLeftMm,      Told::kQuietZone,   true,   false,   false},
    {Reason::kQuietZoneRightMm,     Told::kQuietZone,   true,   false,   false},
    {Reason::kTooLong,              Told::kSize,        true,   false,   false},
    {Reason::kBarHeight,            Told::kWarning,     false,  false,   false},
};
// clang-format on

static_assert(std::size(kReasonRows) == static_cast<std::size_t>(Reason::kBarHeight) + 1,
              "a row for every reason");
static_assert(
    [] {
        for (std::size_t i = 0; i < std::size(kReasonRows); ++i) {
            if (static_cast<std::size_t>(kReasonRows[i].reason) != i) return false;
        }
        return true;
    }(),
    "rows in the order of Reason");

constexpr const ReasonRow& RowOf(Reason r) {
    return kReasonRows[static_cast<std::size_t>(r)];
}

}  // namespace diduzozoz::verify
