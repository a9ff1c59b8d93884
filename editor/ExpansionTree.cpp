#include "editor/ExpansionTree.h"

#include "editor/TreeEntrySink.h"
#include "widgets/CTreeCtrlEx.h"

void ExpansionTree::BuildLanguageRoots(TemplateStore& store) {
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        roots_[language] = tree_.InsertItem(TemplateLanguage::At(language).rootLabel, kRootImage, kRootImage, TVI_ROOT,
                                            TVI_LAST, language);
    }
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        TreeEntrySink sink(tree_, roots_[language], entries_);
        store.LoadLanguageTemplates(language, sink);
    }
    rootsBuilt_ = true;
}

HTREEITEM ExpansionTree::Root(int language) const noexcept {
    return language >= 0 && language < TemplateLanguage::kCount ? roots_[language] : nullptr;
}

int ExpansionTree::LanguageIndexOfRoot(HTREEITEM item) const noexcept {
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        if (item != nullptr && roots_[language] == item)
            return language;
    }
    return 0;
}

AutotextEntry* ExpansionTree::EntryOf(HTREEITEM item) const {
    if (item == nullptr)
        return nullptr;
    // Unsigned: an entry may live above 2 GB in a large-address-aware host.
    const auto data = static_cast<ULONG_PTR>(tree_.GetItemData(item));
    return data > kLargestNonEntryData ? reinterpret_cast<AutotextEntry*>(data) : nullptr;
}

HTREEITEM ExpansionTree::NextItemInTreeOrder(HTREEITEM item) const {
    if (const HTREEITEM child = tree_.GetChildItem(item))
        return child;
    for (HTREEITEM up = item; up != nullptr; up = tree_.GetParentItem(up)) {
        if (const HTREEITEM sibling = tree_.GetNextSiblingItem(up))
            return sibling;
    }
    return nullptr;
}

int ExpansionTree::CountChildren(HTREEITEM item) const {
    int count = 0;
    for (HTREEITEM child = tree_.GetChildItem(item); child != nullptr; child = tree_.GetNextSiblingItem(child))
        ++count;
    return count;
}

HTREEITEM ExpansionTree::FindEntryByOrdinal(HTREEITEM root, int ordinal) const {
    const HTREEITEM firstRoot = roots_[0];
    if (ordinal < 0 || ordinal > CountChildren(root))
        return firstRoot;
    for (HTREEITEM child = tree_.GetChildItem(root); child != nullptr; child = tree_.GetNextSiblingItem(child)) {
        const AutotextEntry* entry = EntryOf(child);
        if (entry != nullptr && entry->ordinal == ordinal)
            return static_cast<HTREEITEM>(entry->treeItem);
    }
    return firstRoot;
}

TemplateStore::LanguageEntries ExpansionTree::EntriesInTreeOrder() const {
    TemplateStore::LanguageEntries entries;
    for (HTREEITEM item = roots_[0]; item != nullptr; item = NextItemInTreeOrder(item)) {
        if (AutotextEntry* entry = EntryOf(item))
            entries[LanguageIndexOfRoot(tree_.GetParentItem(item))].push_back(entry);
    }
    return entries;
}

void ExpansionTree::Relabel(const AutotextEntry& entry) const {
    tree_.SetItemText(static_cast<HTREEITEM>(entry.treeItem), entry.shortcut.empty() ? entry.title : entry.shortcut);
}

void ExpansionTree::MarkModified(const AutotextEntry& entry) {
    if (entry.treeItem != nullptr)
        tree_.SetItemColor(static_cast<HTREEITEM>(entry.treeItem), kModifiedColor);
}
