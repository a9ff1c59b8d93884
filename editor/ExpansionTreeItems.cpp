#include "editor/ExpansionTreeItems.h"

#include "widgets/CTreeCtrlEx.h"

namespace ExpansionTreeItems {

AutotextEntry* EntryOf(const tarvel::CTreeCtrlEx& tree, HTREEITEM item) {
    if (item == nullptr)
        return nullptr;
    const LPARAM data = tree.GetItemData(item);
    return data > kLargestNonEntryData ? reinterpret_cast<AutotextEntry*>(data) : nullptr;
}

int CountChildren(const tarvel::CTreeCtrlEx& tree, HTREEITEM item) {
    int count = 0;
    for (HTREEITEM child = tree.GetChildItem(item); child != nullptr; child = tree.GetNextSiblingItem(child))
        ++count;
    return count;
}

}  // namespace ExpansionTreeItems
