#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/EntryOwner.h"
#include "store/TreeSink.h"

namespace tarvel {
class CTreeCtrlEx;
}

// Appends what a template reader yields as the last children of one
// language root, the entries owned by the editor.
class TreeEntrySink : public TreeSink {
public:
    TreeEntrySink(tarvel::CTreeCtrlEx& tree, HTREEITEM root, EntryOwner& owner)
        : tree_(tree), root_(root), owner_(owner) {}

    void AppendItem(const std::string& label, std::unique_ptr<AutotextEntry> entry) override;

private:
    tarvel::CTreeCtrlEx& tree_;
    HTREEITEM root_;
    EntryOwner& owner_;
};
