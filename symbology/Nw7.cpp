// NW-7 (Codabar) encoding and renderer.
#include "symbology/Nw7.h"

#include <cstring>
#include <string>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "symbology/Skeleton.h"

namespace diduzozoz {
namespace {

// Codabar character patterns (wide:narrow 2:1), each ending with its one-module gap.
constexpr ModulePattern NW7_PATTERNS[] = {
    "1010100110",  "1010110010",  "1010010110",  "1100101010",  "1011010010",
    "1101010010",  "1001010110",  "1001011010",  "1001101010",  "1101001010",
    "1010011010",  "1011001010",  "11010110110", "11011010110", "11011011010",
    "10110110110", "10110010010", "10010010110", "10100100110", "10100110010",
};
static_assert(std::size(NW7_PATTERNS) == sizeof kNw7CharSet - 1);

}  // namespace

CheckOutcome CheckNw7Content(CreateContext& job) {
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

int Nw7CharIndex(char c) {
    return CharIndexIn(kNw7CharSet, c);
}

char Nw7CharAt(int index) {
    return index >= 0 && index < 20 ? kNw7CharSet[index] : static_cast<char>(0xFF);
}

void BuildNw7Table(PatternTable& table) {
    table.Fill(NW7_PATTERNS, 20);
}

void RenderNw7(CreateContext& job) {
    RenderFramed(job, {.start = TextView(job.m_szNW7Start),
                       .stop = TextView(job.m_szNW7Stop),
                       .buildTable = BuildNw7Table,
                       .lookup = Nw7CharIndex});
}

}  // namespace diduzozoz
