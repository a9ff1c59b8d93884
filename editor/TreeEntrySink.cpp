#include "editor/TreeEntrySink.h"

#include "editor/ExpansionTree.h"
#include "widgets/CTreeCtrlEx.h"

namespace tarvel {

void TreeEntrySink::AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) {
    AutotextEntry* adopted = owner_.Adopt(std::move(entry));
    std::string text(label);
    const HTREEITEM item = tree_.InsertItem(text, ExpansionTree::kEntryImage, ExpansionTree::kSelectedEntryImage, root_,
                                            TVI_LAST, reinterpret_cast<LPARAM>(adopted));
    if (adopted == nullptr)
        return;
    if (item == nullptr) {
        owner_.Destroy(adopted);
        return;
    }
    adopted->treeItem = item;
    order_.Append(language_, adopted, std::move(text));
}

}  // namespace tarvel
