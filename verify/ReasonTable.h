// What each finding's reason means to the verdict, one row per Reason: where it is told among
// the findings, and whether it makes the drawing unfit.
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
    kQuietZone,    // the quiet zones
    kUnchecked,    // what could not be checked
};

struct ReasonRow {
    Reason reason;
    Told told;
    bool failure;  // makes the drawing unfit; otherwise it only leaves it unchecked
};

// In the order of Reason, so that a reason is its own index.
// clang-format off
inline constexpr ReasonRow kReasonRows[] = {
    // reason                       told                failure
    {Reason::kNoBars,               Told::kReading,     true},
    {Reason::kNotRead,              Told::kReading,     true},
    {Reason::kWrongFormat,          Told::kReading,     true},
    {Reason::kTextDiffers,          Told::kReading,     true},
    {Reason::kItfNotInterleaved,    Told::kNonStandard, true},
    {Reason::kJanNoCheckDigit,      Told::kNonStandard, true},
    {Reason::kCode128NoCheck,       Told::kNonStandard, true},
    {Reason::kCode39AsteriskInData, Told::kNonStandard, true},
    {Reason::kNw7LetterInData,      Told::kNonStandard, true},
    {Reason::kPostalNoCheck,        Told::kNonStandard, true},
    {Reason::kPostalCheckWrong,     Told::kReading,     true},
    {Reason::kPostalUnreadable,     Told::kReading,     true},
    {Reason::kQuietZoneLeft,        Told::kQuietZone,   true},
    {Reason::kQuietZoneRight,       Told::kQuietZone,   true},
    {Reason::kReaderMissing,        Told::kUnchecked,   false},
    {Reason::kReaderFailed,         Told::kUnchecked,   false},
};
// clang-format on

static_assert(std::size(kReasonRows) == static_cast<std::size_t>(Reason::kReaderFailed) + 1,
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
