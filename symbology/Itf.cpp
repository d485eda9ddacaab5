// ITF: the digits framed by start "S" and stop "E", their patterns, the check digit and the
// renderer. Every digit stands on its own with one-module spaces; digits are not interleaved.
#include "symbology/Itf.h"

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

}  // namespace

CheckOutcome CheckItfContent(CreateContext& job) {
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
    RenderFramed(job, {.start = "S",
                       .stop = "E",
                       .buildTable = BuildItfTable,
                       .lookup = ItfCharIndex,
                       .barsOnlyFrame = true});
}

}  // namespace diduzozoz
