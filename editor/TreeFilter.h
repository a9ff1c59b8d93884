#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>

#include "editor/EntryFilter.h"
#include "editor/ExpansionTree.h"
#include "pages/IEditorPageSite.h"
#include "widgets/CDimEditCtrl.h"
#include "widgets/TreeColorFonts.h"

namespace tarvel {

class CTreeCtrlEx;

// The filter box above the expansion tree and what it does to the tree:
// while it holds words, the tree shows only the entries that hold them all,
// under their roots labelled with the number that match (grey with none),
// with the matches in their labels in bold. Clearing it shows every entry
// again with the roots opened as before. The keys: Ctrl+F focuses it; in it
// Down and Up select the next and previous entry shown, Enter goes on to the
// selected entry's title; Escape in it or in the tree clears it first.
class TreeFilter {
public:
    TreeFilter(ExpansionTree& entries, tarvel::CTreeCtrlEx& tree, IEditorPageSite& site);
    TreeFilter(const TreeFilter&) = delete;
    TreeFilter& operator=(const TreeFilter&) = delete;

    tarvel::CDimEditCtrl& Box() noexcept { return box_; }
    // Once the box is a window: its hint and the tree's bold matches.
    void Attach();

    // The box's text changed: the tree shows what it keeps. The same text
    // again changes nothing, so that an entry edited out of the matches
    // stays shown until the text changes.
    void Apply();
    // While the tree's items are re-created: their selection changes show
    // nothing new.
    bool IsRebuilding() const noexcept { return rebuilding_; }
    // A key of the filter's, taken out of the dialog's messages.
    bool HandleKey(const MSG& message);

private:
    // What was selected before the items were re-created.
    struct Selection {
        AutotextEntry* entry = nullptr;
        int language = 0;
    };

    bool IsActive() const noexcept { return filter_ && !filter_->IsEmpty(); }
    Selection SelectionNow() const;
    void Rebuild(const Selection& before);
    void LabelRoots(const ExpansionTree::ShownCounts& counts) const;
    void ExpandRoots(const ExpansionTree::ShownCounts& counts) const;
    HTREEITEM Target(const Selection& before, const ExpansionTree::ShownCounts& counts) const;
    void RememberExpandedRoots();
    void Clear();
    void FocusBox();
    void Step(bool forward) const;
    tarvel::TreeColorFonts::Runs Emphasis(HTREEITEM item, const std::string& label) const;

    ExpansionTree& entries_;
    tarvel::CTreeCtrlEx& tree_;
    IEditorPageSite& site_;
    tarvel::CDimEditCtrl box_;
    const EntryFilter::CaseFold fold_;
    std::optional<EntryFilter> filter_;
    std::string appliedText_;
    std::array<bool, TemplateLanguage::kCount> expandedBefore_{};
    bool rebuilding_ = false;
};

}  // namespace tarvel
