#include "editor/TreeEntrySink.h"

#include "editor/ExpansionTree.h"
#include "widgets/CTreeCtrlEx.h"

namespace tarvel {

void TreeEntrySink::AppendItem(const std::string& label, std::unique_ptr<AutotextEntry> entry) {
    AutotextEntry* adopted = owner_.Adopt(std::move(entry));
    const HTREEITEM item = tree_.InsertItem(label, ExpansionTree::kEntryImage, ExpansionTree::kSelectedEntryImage,
                                            root_, TVI_LAST, reinterpret_cast<LPARAM>(adopted));
    if (adopted == nullptr)
        return;
    if (item == nullptr) {
        owner_.Destroy(adopted);
        return;
    }
    adopted->treeItem = item;
    order_.Append(language_, adopted, label);
}

}  // namespace tarvel
