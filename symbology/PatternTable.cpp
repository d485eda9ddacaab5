#include "symbology/PatternTable.h"

#include "base/BoundedCopy.h"

namespace diduzozoz {

void PatternTable::Fill(const ModulePattern* patterns, int count) {
    if (patterns == m_source && count == m_count) return;
    Clear();
    for (int i = 0; i < count && i < kSlots; ++i) CopyText(m_slots[i], kSlotSize, patterns[i]);
    m_source = patterns;
    m_count = count;
}

}  // namespace diduzozoz
