#include "cli/ListItems.h"

#include "base/Quote.h"
#include "platform/ListFile.h"
#include "symbology/Postal.h"

namespace diduzozoz::cli {
namespace {

// A mailing-list line: a postcode, a separator and an address of 120 bytes, room to spare
// for a second address column; still short of a 254-byte read, so the reading rules hold.
constexpr std::size_t kAddressLineLimit = kMaxCodeBytes + 1 + kMaxAddressBytes;
static_assert(kAddressLineLimit < kListChunkBytes - 1);

}  // namespace

ListItems::ListItems(const CliOptions& options)
    : m_options(options),
      m_address(options.symbology == kSymbologyPostal && IsPostalAddressForm(options.form)) {}

bool ListItems::Open(std::string& error) {
    m_codes =
        OpenListFile(m_options.batchCodes, m_address ? kAddressLineLimit : kCodeListLineLimit);
    if (!m_codes) {
        error = "cannot read the code list " + Quoted(m_options.batchCodes);
        return false;
    }
    if (m_options.batchRefs.empty()) return true;
    m_refs =
        OpenListFile(m_options.batchRefs,
                     m_address ? static_cast<std::size_t>(kMaxAddressBytes) : kRefNoListLineLimit);
    if (!m_refs) {
        error = "cannot read the reference-number list " + Quoted(m_options.batchRefs);
        return false;
    }
    m_refsEnded = false;
    return true;
}

bool ListItems::NextRef(std::string& ref) {
    while (!m_refsEnded) {
        if (!m_refs->Next(ref)) break;
        if (!m_address) return true;
        ref = ListItemText(ref);
        if (ref.size() <= static_cast<std::size_t>(kMaxAddressBytes)) return true;
    }
    m_refsEnded = true;
    ref = m_options.ref;
    return false;
}

bool ListItems::Next(std::string& code, std::string& ref) {
    if (!m_address) {
        if (!m_codes->Next(code)) return false;
        NextRef(ref);
        return true;
    }
    while (m_codes->Next(m_line)) {
        // The reference list pairs line by line, whatever the line holds.
        NextRef(ref);
        const std::string line = ListItemText(m_line);
        if (!SplitAddressLine(line, code, ref)) code = line;
        if (code.size() <= static_cast<std::size_t>(kMaxCodeBytes) &&
            ref.size() <= static_cast<std::size_t>(kMaxAddressBytes)) {
            return true;
        }
    }
    return false;
}

}  // namespace diduzozoz::cli
