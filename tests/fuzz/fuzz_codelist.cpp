// Fuzz target: the code list reader with arbitrary file bytes. Items respect their limits,
// hold no line feed, item 0 fits its member whole, as the dialog copies it there, and what the
// combos show of an item is UTF-8 (decoding it again changes nothing).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/BoundedCopy.h"
#include "lists/CodeList.h"
#include "symbology/BarcodeSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    diduzozoz::BarcodeSettings settings;
    struct List {
        std::size_t limit;
        char* member;
        std::size_t memberSize;
    } lists[] = {
        {diduzozoz::kCodeListLineLimit, settings.m_szCode, sizeof settings.m_szCode},
        {diduzozoz::kRefNoListLineLimit, settings.m_szRefNo, sizeof settings.m_szRefNo},
    };
    for (const List& list : lists) {
        const auto items = diduzozoz::ParseCodeList(bytes, list.limit);
        for (const std::string& item : items) {
            if (item.size() > list.limit) std::abort();
            if (item.find('\n') != std::string::npos || item.find('\0') != std::string::npos)
                std::abort();
            const std::string shown = diduzozoz::ListItemText(item);
            if (diduzozoz::ListItemText(shown) != shown) std::abort();
        }
        if (!items.empty()) {
            if (!diduzozoz::CopyText(list.member, list.memberSize, items[0])) std::abort();
            if (std::string_view(list.member) != items[0]) std::abort();
        }
    }
    return 0;
}
