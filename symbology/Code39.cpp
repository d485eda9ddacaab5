// CODE39: the 44-character set framed by "*", its patterns, the modulus 43 check character and
// the renderer.
#include "symbology/Code39.h"

#include <cstring>
#include <iterator>
#include <string>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "symbology/Skeleton.h"

namespace diduzozoz {
namespace {

// Code 39 character patterns (ISO/IEC 16388) at a wide:narrow ratio of 2:1: five bars and four
// spaces, three of them wide, then the one-module gap to the next character.
constexpr ModulePattern CODE39_PATTERNS[] = {
    "1010011011010", "1101001010110", "1011001010110", "1101100101010", "1010011010110",  // 0-4
    "1101001101010", "1011001101010", "1010010110110", "1101001011010", "1011001011010",  // 5-9
    "1101010010110", "1011010010110", "1101101001010", "1010110010110", "1101011001010",  // A-E
    "1011011001010", "1010100110110", "1101010011010", "1011010011010", "1010110011010",  // F-J
    "1101010100110", "1011010100110", "1101101010010", "1010110100110", "1101011010010",  // K-O
    "1011011010010", "1010101100110", "1101010110010", "1011010110010", "1010110110010",  // P-T
    "1100101010110", "1001101010110", "1100110101010", "1001011010110", "1100101101010",  // U-Y
    "1001101101010", "1001010110110", "1100101011010", "1001101011010", "1001001001010",  // Z-$
    "1001001010010", "1001010010010", "1010010010010", "1001011011010",                   // /+%*
};
static_assert(std::size(CODE39_PATTERNS) == sizeof kCode39CharSet - 1);

constexpr int kCode39SetSize = static_cast<int>(sizeof kCode39CharSet - 1);

}  // namespace

CheckOutcome CheckCode39Content(CreateContext& job) {
    if (!AllChars(TextView(job.m_szCode), [](char c) { return Code39CharIndex(c) >= 0; })) {
        return RefuseThenRestore(job, str::kCode39Code);
    }
    return CheckOutcome::kPassed;
}

int Code39CharIndex(char c) {
    return CharIndexIn(kCode39CharSet, c);
}

char Code39CharAt(int index) {
    return index >= 0 && index < kCode39SetSize ? kCode39CharSet[index] : static_cast<char>(0xFF);
}

void BuildCode39Table(PatternTable& table) {
    table.Fill(CODE39_PATTERNS, kCode39SetSize);
}

void Code39CheckDigit(CreateContext& job) {
    if (CheckDigitWanted(job.m_nCdCode39, 1)) CheckMod43(job);
}

void CheckMod43(CreateContext& job) {
    int sum = 0;
    for (char c : TextView(job.m_szCode)) {
        const int v = Code39CharIndex(c);
        if (v < 0) return;  // the Create command refuses such a code before this step
        sum += v;
    }
    // The remainder is 0..42, so the check character is never the start/stop "*".
    const char check = Code39CharAt(sum % 43);
    job.AppendToCode(std::string_view(&check, 1));
}

void RenderCode39(CreateContext& job) {
    RenderFramed(
        job,
        {.start = "*", .stop = "*", .buildTable = BuildCode39Table, .lookup = Code39CharIndex});
}

}  // namespace diduzozoz
