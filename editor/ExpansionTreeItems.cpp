#include "editor/ExpansionTreeItems.h"

#include "widgets/CTreeCtrlEx.h"

namespace ExpansionTreeItems {

AutotextEntry* EntryOf(const tarvel::CTreeCtrlEx& tree, HTREEITEM item) {
    if (item == nullptr)
        return nullptr;
    // Unsigned: an entry may live above 2 GB in a large-address-aware host.
    const auto data = static_cast<ULONG_PTR>(tree.GetItemData(item));
    return data > kLargestNonEntryData ? reinterpret_cast<AutotextEntry*>(data) : nullptr;
}

int CountChildren(const tarvel::CTreeCtrlEx& tree, HTREEITEM item) {
    int count = 0;
    for (HTREEITEM child = tree.GetChildItem(item); child != nullptr; child = tree.GetNextSiblingItem(child))
        ++count;
    return count;
}

}  // namespace ExpansionTreeItems
