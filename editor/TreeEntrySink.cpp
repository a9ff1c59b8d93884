#include "editor/TreeEntrySink.h"

#include "editor/ExpansionTreeItems.h"
#include "widgets/CTreeCtrlEx.h"

using namespace ExpansionTreeItems;

void TreeEntrySink::appendItem(const std::string& label, std::unique_ptr<AutotextEntry> entry)
{
    const HTREEITEM item = tree_.InsertItem(label, kEntryImage, kSelectedEntryImage, root_, TVI_LAST);
    if (item == nullptr || !entry)
        return;
    entry->treeItem = item;
    tree_.SetItemData(item, reinterpret_cast<LPARAM>(owner_.Adopt(std::move(entry))));
}
