#include "editor/ExpansionTreeItems.h"

#include "widgets/CTreeCtrlEx.h"

namespace ExpansionTreeItems {

AutotextEntry* EntryOf(const tarvel::CTreeCtrlEx& tree, HTREEITEM item) {
    if (item == nullptr)
        return nullptr;
    const LPARAM data = tree.GetItemData(item);
    return data > kLargestNonEntryData ? reinterpret_cast<AutotextEntry*>(data) : nullptr;
}

HTREEITEM NextItemInTreeOrder(const tarvel::CTreeCtrlEx& tree, HTREEITEM item) {
    if (HTREEITEM child = tree.GetChildItem(item))
        return child;
    for (; item != nullptr; item = tree.GetParentItem(item))
        if (HTREEITEM sibling = tree.GetNextSiblingItem(item))
            return sibling;
    return nullptr;
}

int CountChildren(const tarvel::CTreeCtrlEx& tree, HTREEITEM item) {
    int count = 0;
    for (HTREEITEM child = tree.GetChildItem(item); child != nullptr; child = tree.GetNextSiblingItem(child))
        ++count;
    return count;
}

}  // namespace ExpansionTreeItems
