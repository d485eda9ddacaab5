#include "render/PatternTable.h"

#include "job/BoundedCopy.h"

namespace diduzozoz {

void PatternTable::Fill(const ModulePattern* patterns, int count) {
    Clear();
    for (int i = 0; i < count && i < kSlots; ++i) CopyText(slots[i], kSlotSize, patterns[i]);
}

}  // namespace diduzozoz
