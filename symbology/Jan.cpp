// JAN (EAN-13) and the short JAN (EAN-8): digit lookup, the odd, even and right tables, the
// parity rows, the check digit and the renderer.
#include "symbology/Jan.h"

#include <cstring>
#include <iterator>
#include <string_view>

#include "base/BoundedCopy.h"
#include "base/CharTests.h"
#include "base/Strings.h"
#include "symbology/CheckDigits.h"
#include "symbology/Skeleton.h"

namespace diduzozoz {
namespace {

// EAN-13 digit patterns (ISO/IEC 15420): L (odd), G (even) and R sets, 7 modules each. The
// renderer ends every drawn element with a space, so the left-hand patterns are held rotated
// by one module: their leading space is drawn after them, where it opens the next element.
constexpr ModulePattern JAN_ODD_PATTERNS[] = {
    "0011010", "0110010", "0100110", "1111010", "1000110",
    "1100010", "1011110", "1110110", "1101110", "0010110",
};
constexpr ModulePattern JAN_EVEN_PATTERNS[] = {
    "1001110", "1100110", "0110110", "1000010", "0111010",
    "1110010", "0001010", "0100010", "0010010", "0101110",
};
constexpr ModulePattern JAN_RIGHT_PATTERNS[] = {
    "1110010", "1100110", "1101100", "1000010", "1011100",
    "1001110", "1010000", "1000100", "1001000", "1110100",
};
static_assert(std::size(JAN_ODD_PATTERNS) == 10);
static_assert(std::size(JAN_EVEN_PATTERNS) == 10);
static_assert(std::size(JAN_RIGHT_PATTERNS) == 10);

// The first digit of an EAN-13 code is carried by the parities of the six left characters.
constexpr const char* JAN_PARITY_ROWS[] = {
    "OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
    "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO",
};
static_assert(std::size(JAN_PARITY_ROWS) == 10);

// EAN-8 (ISO/IEC 15420; GS1 General Specifications 5.2): four digits of number set A, the odd
// table, on the left, four of set C on the right; no digit is carried by the parities.
constexpr char JAN8_PARITY_ROW[] = "OOOO";

constexpr FixedLength kJan8Rule = {7, str::kJan8Length, str::kJan8LengthWithCd, str::kJan8WrongCd};

// Guards are bar, space, bar, space; the right guard's last space is the symbol's end.
void Guard(SkeletonRenderer& r) {
    r.Module(kBlack);
    r.Module(kWhite);
    r.Module(kBlack);
    r.Module(kWhite);
}

}  // namespace

CheckOutcome CheckJanContent(CreateContext& job) {
    if (job.m_nJanForm == kJanForm8) {
        return CheckFixedLength(job, CheckDigitWanted(job.m_nCdJan, 1), kJan8Rule);
    }
    const std::string_view code = TextView(job.m_szCode);
    if (!AllDigits(code)) return RefuseThenRestore(job, str::kDigitsOnly);
    if (code.size() != 12) return RefuseAndEnd(job, str::kJanLength);
    return CheckOutcome::kPassed;
}

int JanCharIndex(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

void BuildJanOddTable(PatternTable& table) {
    table.Fill(JAN_ODD_PATTERNS, 10);
}

void BuildJanEvenTable(PatternTable& table) {
    table.Fill(JAN_EVEN_PATTERNS, 10);
}

void BuildJanRightTable(PatternTable& table) {
    table.Fill(JAN_RIGHT_PATTERNS, 10);
}

void JanCheckDigit(CreateContext& job) {
    if (CheckDigitWanted(job.m_nCdJan, 1)) CheckMod10W3(job);
}

void RenderJan(CreateContext& job) {
    job.SetDataText(TextView(job.m_szCode));
    job.SetStatus(MadeStatus(TextView(job.m_szCode)));
    const std::string_view code = TextView(job.m_szDataText);

    SkeletonRenderer r(job);
    // EAN-13 carries its first digit in the parities of the left half; EAN-8 draws every digit.
    const bool short8 = job.m_nJanForm == kJanForm8;
    const int first = code.empty() ? -1 : JanCharIndex(code[0]);
    if (first < 0) {
        r.Stop();
        return;
    }
    Guard(r);

    // Left half: the table changes only where the parity row does.
    const char* row = short8 ? JAN8_PARITY_ROW : JAN_PARITY_ROWS[first];
    const int leftChars = static_cast<int>(std::strlen(row));
    char table = 0;
    std::size_t i = short8 ? 0 : 1;
    for (int place = 0; place < leftChars && i < code.size(); ++place, ++i) {
        if (row[place] != table) {
            table = row[place];
            if (table == 'O') {
                BuildJanOddTable(job.m_patternTable);
            } else {
                BuildJanEvenTable(job.m_patternTable);
            }
        }
        if (!r.Slot(JanCharIndex(code[i]))) {
            r.Stop();
            return;
        }
    }
    Guard(r);

    BuildJanRightTable(job.m_patternTable);
    for (; i < code.size(); ++i) {
        if (!r.Slot(JanCharIndex(code[i]))) {
            r.Stop();
            return;
        }
    }
    Guard(r);

    r.Complete({.captionDx = 15});
}

}  // namespace diduzozoz
