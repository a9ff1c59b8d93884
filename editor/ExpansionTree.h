#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "editor/EntryOwner.h"
#include "store/TemplateLanguage.h"
#include "store/TemplateStore.h"

namespace tarvel {
class CTreeCtrlEx;
}

// The editor's expansion tree as the container of the entries: the eight
// language roots, the entries it owns (items only point at them), the walks
// the store and the dialog use, and the changes of entry and item together.
// The entry commands (new, delete, duplicate, the move of a drop and the
// renumbering after it) belong here beside the label and colour changes.
class ExpansionTree {
public:
    static constexpr int kEntryImage = 0;
    static constexpr int kSelectedEntryImage = 1;
    static constexpr int kRootImage = 4;
    // Item data of this or less is never an entry.
    static constexpr ULONG_PTR kLargestNonEntryData = 8;

    explicit ExpansionTree(tarvel::CTreeCtrlEx& tree) noexcept : tree_(tree) {}
    ExpansionTree(const ExpansionTree&) = delete;
    ExpansionTree& operator=(const ExpansionTree&) = delete;

    // The eight roots, then each language's entries as the store reads them.
    void BuildLanguageRoots(TemplateStore& store);
    bool HasRoots() const noexcept { return rootsBuilt_; }
    HTREEITEM Root(int language) const noexcept;
    // 0..7 for a root; 0 for any other item.
    int LanguageIndexOfRoot(HTREEITEM item) const noexcept;

    AutotextEntry* EntryOf(HTREEITEM item) const;
    HTREEITEM NextItemInTreeOrder(HTREEITEM item) const;
    int CountChildren(HTREEITEM item) const;
    // The root's child whose entry has the ordinal; the first root otherwise.
    HTREEITEM FindEntryByOrdinal(HTREEITEM root, int ordinal) const;
    TemplateStore::LanguageEntries EntriesInTreeOrder() const;

    // The item label of an entry: its shortcut, or its title without one.
    void Relabel(const AutotextEntry& entry) const;
    void MarkModified(const AutotextEntry& entry);
    // Frees every entry; their items stay until the control goes.
    void ReleaseEntries() { entries_.Clear(); }

private:
    static constexpr COLORREF kModifiedColor = RGB(255, 0, 0);

    tarvel::CTreeCtrlEx& tree_;
    std::array<HTREEITEM, TemplateLanguage::kCount> roots_{};
    EntryOwner entries_;
    // Without its language roots the tree holds nothing to save: writing
    // then would empty every template file.
    bool rootsBuilt_ = false;
};
