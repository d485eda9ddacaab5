// Module patterns ("1" bar, "0" space) and the table the encoders share.
#pragma once

#include <cstring>

namespace diduzozoz {

using ModulePattern = const char*;

// 128 slots of at most 31 modules each; a table builder clears it and fills slots 0, 1, 2 ...
struct PatternTable {
    static constexpr int kSlots = 128;
    static constexpr int kSlotSize = 32;
    char slots[kSlots][kSlotSize] = {};

    void Clear() { std::memset(slots, 0, sizeof slots); }
    // Copies patterns[0..count) into slots 0..count-1 after clearing the table.
    void Fill(const ModulePattern* patterns, int count);
    // The pattern in a slot, or nullptr for a slot outside the table.
    const char* Slot(int index) const {
        return index >= 0 && index < kSlots ? slots[index] : nullptr;
    }
};

// The colour argument of a module character: its code with all but the low four bits cleared.
inline int ModuleColour(char module) {
    return module & 0x0F;
}

}  // namespace diduzozoz
