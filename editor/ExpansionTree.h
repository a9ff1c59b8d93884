#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/EntryOrder.h"
#include "editor/EntryOwner.h"
#include "store/TemplateLanguage.h"
#include "store/TemplateStore.h"
#include "widgets/ITreeDragSite.h"

namespace tarvel {

class CTreeCtrlEx;

// The editor's expansion tree as the container of the entries: the eight
// language roots, the entries it owns (items only point at them) in their
// real order, the walks the store and the dialog use, and the changes of
// entry and item together. The entry commands (new, delete, duplicate, the
// move of a drop and the renumbering after it) belong here beside the label
// and colour changes; they act on the real order, so that they work alike
// while the tree shows only some entries. It is the tree's drag site: a drop
// moves an entry through it.
class ExpansionTree : public tarvel::ITreeDragSite {
public:
    static constexpr int kEntryImage = 0;
    static constexpr int kSelectedEntryImage = 1;
    static constexpr int kRootImage = 4;
    // Item data of this or less is never an entry.
    static constexpr ULONG_PTR kLargestNonEntryData = 8;

    ExpansionTree(tarvel::CTreeCtrlEx& tree, EditorSession& session) noexcept : tree_(tree), session_(session) {}
    ExpansionTree(const ExpansionTree&) = delete;
    ExpansionTree& operator=(const ExpansionTree&) = delete;

    // The eight roots, then each language's entries as the store reads them.
    void BuildLanguageRoots(TemplateStore& store);
    bool HasRoots() const noexcept { return rootsBuilt_; }
    HTREEITEM Root(int language) const noexcept;
    // 0..7 for a root; 0 for any other item.
    int LanguageIndexOfRoot(HTREEITEM item) const noexcept;

    AutotextEntry* EntryOf(HTREEITEM item) const;
    int CountChildren(HTREEITEM item) const;
    // The root's child whose entry has the ordinal; the first root otherwise.
    HTREEITEM FindEntryByOrdinal(HTREEITEM root, int ordinal) const;
    // Every entry, shown or not, in the real order of its language.
    TemplateStore::LanguageEntries EntriesInTreeOrder() const;
    std::vector<AutotextEntry*> EntriesOfLanguage(int language) const;
    // Re-creates every item: the roots, and under each the entries that
    // `shows` keeps, in their real order, with their labels and marks.
    // Entries not shown have no item. The number shown per language.
    using ShownCounts = std::array<int, TemplateLanguage::kCount>;
    ShownCounts RecreateItems(const std::function<bool(const AutotextEntry&)>& shows);

    // The item label of an entry: its shortcut, or its title without one.
    void Relabel(const AutotextEntry& entry);
    void MarkModified(const AutotextEntry& entry);
    // Frees every entry; their items stay until the control goes.
    void ReleaseEntries();

    // The root above an item, or the item itself when it is a root.
    HTREEITEM RootOf(HTREEITEM item) const;

    // Each command selects and shows the item it made; null when it made none.
    // "Untitled" right after an entry, or as the last entry of a root.
    HTREEITEM NewEntry(HTREEITEM item);
    // A copy right after an entry, named after it; null for a root.
    HTREEITEM DuplicateEntry(HTREEITEM item);
    // Entries brought in from elsewhere, as the last of a root's entries,
    // marked as changed; the first of them is selected and shown. An entry
    // whose item cannot be made is freed.
    void AppendEntries(HTREEITEM root, std::vector<std::unique_ptr<AutotextEntry>> entries);
    // Removes an entry's item and frees the entry; false for a root.
    bool DeleteEntry(HTREEITEM item);
    // Re-creates an entry's item under a root after an item of that root (last
    // when the item is not one of its children); its colour goes with it.
    HTREEITEM MoveTreeEntry(HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter);
    // A root's entries take its language and their places as ordinals, so
    // that the restore point finds them. Only the roots a command changed are
    // renumbered: the others stay numbered from their last change.
    void RenumberOrdinals(HTREEITEM root);

    // Told when a drop has moved an entry.
    void SetMoveListener(std::function<void()> listener) { moveListener_ = std::move(listener); }

    // The tree's drag site.
    HTREEITEM MoveItem(tarvel::CTreeCtrl& tree, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter) override;
    void OnItemMoved(tarvel::CTreeCtrl& tree, HTREEITEM item) override;
    void OnDragStateChanged(tarvel::CTreeCtrl& tree, bool dragging) override;

private:
    static constexpr COLORREF kModifiedColor = RGB(255, 0, 0);

    // Takes the entry, puts its item under parent after insertAfter, then
    // selects and shows it.
    HTREEITEM InsertEntry(std::unique_ptr<AutotextEntry> entry, const std::string& label, HTREEITEM parent,
                          HTREEITEM insertAfter);
    HTREEITEM InsertRoot(int language);
    // Takes the entry and puts its item under parent after insertAfter, and
    // the entry at the same place of the real order.
    HTREEITEM InsertItem(std::unique_ptr<AutotextEntry> entry, const std::string& label, HTREEITEM parent,
                         HTREEITEM insertAfter);
    void CopyColorFont(HTREEITEM from, HTREEITEM to) const;

    tarvel::CTreeCtrlEx& tree_;
    EditorSession& session_;
    std::array<HTREEITEM, TemplateLanguage::kCount> roots_{};
    EntryOwner entries_;
    EntryOrder order_;
    std::function<void()> moveListener_;
    // Without its language roots the tree holds nothing to save: writing
    // then would empty every template file.
    bool rootsBuilt_ = false;
};

}  // namespace tarvel
