#include "editor/ExpansionTree.h"

#include "editor/EditorTexts.h"
#include "editor/TreeEntrySink.h"
#include "widgets/CTreeCtrlEx.h"

namespace tarvel {

namespace {

struct CopyNames {
    std::string title;
    std::string shortcut;
    std::string label;
};

// A copy keeps a title beside a shortcut; with only one of them, that one
// is renamed. Its label is the title's new name, else the shortcut's.
CopyNames NamesOfCopy(const AutotextEntry& original) {
    const std::string& title = original.title;
    const std::string& shortcut = original.shortcut;
    CopyNames names;
    names.shortcut = shortcut.empty() && !title.empty() ? "" : EditorTexts::kShortcutCopyPrefix + shortcut;
    if (title.empty()) {
        names.title = shortcut.empty() ? EditorTexts::kShortcutCopyPrefix : "";
        names.label = names.shortcut;
    } else {
        names.title = shortcut.empty() ? EditorTexts::kTitleCopyPrefix + title : title;
        names.label = EditorTexts::kTitleCopyPrefix + title;
    }
    return names;
}

}  // namespace

void ExpansionTree::BuildLanguageRoots(TemplateStore& store) {
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        roots_[language] = InsertRoot(language);
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        TreeEntrySink sink(tree_, roots_[language], language, entries_, order_);
        store.LoadLanguageTemplates(language, sink);
    }
    rootsBuilt_ = true;
}

HTREEITEM ExpansionTree::InsertRoot(int language) {
    return tree_.InsertItem(TemplateLanguage::At(language).rootLabel, kRootImage, kRootImage, TVI_ROOT, TVI_LAST,
                            language);
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
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        entries[language] = EntriesOfLanguage(language);
    return entries;
}

std::vector<AutotextEntry*> ExpansionTree::EntriesOfLanguage(int language) const {
    std::vector<AutotextEntry*> entries;
    for (const EntryOrder::Row& row : order_.Language(language))
        entries.push_back(row.entry);
    return entries;
}

// Deleting every item at once costs far less than deleting them one by one
// in some tree views; the roots are made again.
ExpansionTree::ShownCounts ExpansionTree::RecreateItems(const std::function<bool(const AutotextEntry&)>& shows) {
    tree_.DeleteItem(TVI_ROOT);
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        roots_[language] = InsertRoot(language);
    ShownCounts counts{};
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        for (const EntryOrder::Row& row : order_.Language(language)) {
            row.entry->treeItem = nullptr;
            if (!shows(*row.entry))
                continue;
            const HTREEITEM item = tree_.InsertItem(row.label, kEntryImage, kSelectedEntryImage, roots_[language],
                                                    TVI_LAST, reinterpret_cast<LPARAM>(row.entry));
            if (item == nullptr)
                continue;
            row.entry->treeItem = item;
            if (row.modified)
                tree_.SetItemColor(item, kModifiedColor);
            ++counts[language];
        }
    }
    return counts;
}

void ExpansionTree::Relabel(const AutotextEntry& entry) {
    const std::string& label = entry.shortcut.empty() ? entry.title : entry.shortcut;
    if (EntryOrder::Row* row = order_.Find(&entry))
        row->label = label;
    if (entry.treeItem != nullptr)
        tree_.SetItemText(static_cast<HTREEITEM>(entry.treeItem), label);
}

void ExpansionTree::MarkModified(const AutotextEntry& entry) {
    if (EntryOrder::Row* row = order_.Find(&entry))
        row->modified = true;
    if (entry.treeItem != nullptr)
        tree_.SetItemColor(static_cast<HTREEITEM>(entry.treeItem), kModifiedColor);
}

void ExpansionTree::ReleaseEntries() {
    order_.Clear();
    entries_.Clear();
}

HTREEITEM ExpansionTree::RootOf(HTREEITEM item) const {
    HTREEITEM root = item;
    for (HTREEITEM up = item; up != nullptr; up = tree_.GetParentItem(up))
        root = up;
    return root;
}

HTREEITEM ExpansionTree::NewEntry(HTREEITEM item) {
    if (item == nullptr)
        return nullptr;
    auto entry = std::make_unique<AutotextEntry>();
    entry->title = EditorTexts::kUntitled;
    const HTREEITEM parent = tree_.GetParentItem(item);
    if (parent == nullptr)
        return InsertEntry(std::move(entry), EditorTexts::kUntitled, item, TVI_LAST);
    return InsertEntry(std::move(entry), EditorTexts::kUntitled, parent, item);
}

HTREEITEM ExpansionTree::DuplicateEntry(HTREEITEM item) {
    const AutotextEntry* original = EntryOf(item);
    if (original == nullptr)
        return nullptr;
    const CopyNames names = NamesOfCopy(*original);
    auto copy = std::make_unique<AutotextEntry>();
    copy->title = names.title;
    copy->shortcut = names.shortcut;
    copy->code = original->code;
    copy->description = original->description;
    return InsertEntry(std::move(copy), names.label, tree_.GetParentItem(item), item);
}

// Selecting each in turn would load every entry into the pages.
void ExpansionTree::AppendEntries(HTREEITEM root, std::vector<std::unique_ptr<AutotextEntry>> entries) {
    HTREEITEM first = nullptr;
    for (auto& entry : entries) {
        const std::string label = entry->shortcut.empty() ? entry->title : entry->shortcut;
        const HTREEITEM item = InsertItem(std::move(entry), label, root, TVI_LAST);
        if (item == nullptr)
            continue;
        MarkModified(*EntryOf(item));
        if (first == nullptr)
            first = item;
    }
    RenumberOrdinals(root);
    if (first != nullptr) {
        tree_.SelectItem(first);
        tree_.EnsureVisible(first);
    }
}

// In the real order the entry goes right after the item's entry, or last
// when the item is the root: hidden entries keep their places.
HTREEITEM ExpansionTree::InsertItem(std::unique_ptr<AutotextEntry> entry, const std::string& label,
                                    HTREEITEM parent, HTREEITEM insertAfter) {
    AutotextEntry* adopted = entries_.Adopt(std::move(entry));
    const HTREEITEM item = tree_.InsertItem(label, kEntryImage, kSelectedEntryImage, parent, insertAfter,
                                            reinterpret_cast<LPARAM>(adopted));
    if (item == nullptr) {
        entries_.Destroy(adopted);
        return nullptr;
    }
    adopted->treeItem = item;
    order_.Insert(LanguageIndexOfRoot(parent), insertAfter == TVI_LAST ? nullptr : EntryOf(insertAfter), adopted,
                  label);
    return item;
}

HTREEITEM ExpansionTree::InsertEntry(std::unique_ptr<AutotextEntry> entry, const std::string& label,
                                     HTREEITEM parent, HTREEITEM insertAfter) {
    const HTREEITEM item = InsertItem(std::move(entry), label, parent, insertAfter);
    if (item == nullptr)
        return nullptr;
    RenumberOrdinals(parent);
    tree_.SelectItem(item);
    tree_.EnsureVisible(item);
    return item;
}

// The item goes first: the selection moves on while the entry still lives,
// and nothing keeps pointing at it afterwards.
bool ExpansionTree::DeleteEntry(HTREEITEM item) {
    AutotextEntry* entry = EntryOf(item);
    if (entry == nullptr)
        return false;
    const HTREEITEM root = RootOf(item);
    if (session_.currentEntry == entry)
        session_.currentEntry = nullptr;
    tree_.DeleteItem(item);
    order_.Remove(entry);
    entries_.Destroy(entry);
    RenumberOrdinals(root);
    return true;
}

// The entry itself stays: only its item is re-created.
HTREEITEM ExpansionTree::MoveTreeEntry(HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter) {
    AutotextEntry* entry = EntryOf(item);
    if (entry == nullptr || newParent == nullptr)
        return nullptr;
    if (insertAfter == nullptr || tree_.GetParentItem(insertAfter) != newParent)
        insertAfter = TVI_LAST;
    int image = kEntryImage;
    int selectedImage = kSelectedEntryImage;
    tree_.GetItemImage(item, image, selectedImage);
    const HTREEITEM moved = tree_.InsertItem(tree_.GetItemText(item), image, selectedImage, newParent, insertAfter,
                                             reinterpret_cast<LPARAM>(entry));
    if (moved == nullptr)
        return nullptr;
    order_.Move(entry, LanguageIndexOfRoot(newParent), insertAfter == TVI_LAST ? nullptr : EntryOf(insertAfter));
    entry->treeItem = moved;
    CopyColorFont(item, moved);
    if (session_.currentEntry == entry)
        session_.currentEntry = nullptr;
    tree_.DeleteItem(item);
    return moved;
}

void ExpansionTree::CopyColorFont(HTREEITEM from, HTREEITEM to) const {
    if (!tree_.HasColorFont(from))
        return;
    tree_.SetItemColor(to, tree_.GetItemColor(from));
    LOGFONTA font{};
    if (tree_.GetItemFont(from, font))
        tree_.SetItemFont(to, font);
}

void ExpansionTree::RenumberOrdinals(HTREEITEM root) {
    if (root != nullptr)
        order_.Renumber(LanguageIndexOfRoot(root));
}

HTREEITEM ExpansionTree::MoveItem(tarvel::CTreeCtrl&, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter) {
    const HTREEITEM oldRoot = RootOf(item);
    const HTREEITEM moved = MoveTreeEntry(item, newParent, insertAfter);
    if (moved == nullptr)
        return nullptr;
    RenumberOrdinals(oldRoot);
    if (newParent != oldRoot)
        RenumberOrdinals(newParent);
    return moved;
}

void ExpansionTree::OnItemMoved(tarvel::CTreeCtrl&, HTREEITEM) {
    if (moveListener_)
        moveListener_();
}

void ExpansionTree::OnDragStateChanged(tarvel::CTreeCtrl&, bool dragging) { session_.dragInProgress = dragging; }

}  // namespace tarvel
