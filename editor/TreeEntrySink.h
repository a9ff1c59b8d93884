#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/EntryOrder.h"
#include "editor/EntryOwner.h"
#include "store/TreeSink.h"

namespace tarvel {

class CTreeCtrlEx;

// Appends what a template reader yields as the last children of one
// language root and the last entries of its language, owned by the editor.
class TreeEntrySink : public TreeSink {
public:
    TreeEntrySink(tarvel::CTreeCtrlEx& tree, HTREEITEM root, int language, EntryOwner& owner, EntryOrder& order)
        : tree_(tree), root_(root), language_(language), owner_(owner), order_(order) {}

    void AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) override;

private:
    tarvel::CTreeCtrlEx& tree_;
    HTREEITEM root_;
    int language_;
    EntryOwner& owner_;
    EntryOrder& order_;
};

}  // namespace tarvel
