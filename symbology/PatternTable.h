// Module patterns ("1" bar, "0" space) and the table the encoders share.
#pragma once

#include <cstring>

namespace diduzozoz {

using ModulePattern = const char*;

// 128 slots of at most 31 modules each; a table builder clears it and fills slots 0, 1, 2 ...
class PatternTable {
  public:
    static constexpr int kSlots = 128;
    static constexpr int kSlotSize = 32;

    void Clear() {
        std::memset(m_slots, 0, sizeof m_slots);
        m_source = nullptr;
        m_count = 0;
    }
    // Copies patterns[0..count) into slots 0..count-1 after clearing the table. The pattern
    // tables are constant, so refilling the table from the one it already holds is skipped.
    void Fill(const ModulePattern* patterns, int count);
    // The pattern in a slot (empty for an unfilled slot), or nullptr outside the table.
    const char* Slot(int index) const {
        return index >= 0 && index < kSlots ? m_slots[index] : nullptr;
    }

  private:
    char m_slots[kSlots][kSlotSize] = {};
    const ModulePattern* m_source = nullptr;
    int m_count = 0;
};

// The colour argument of a module character: its code with all but the low four bits cleared.
inline int ModuleColour(char module) {
    return module & 0x0F;
}

}  // namespace diduzozoz
