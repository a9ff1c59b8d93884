#include "editor/TreeFilter.h"

#include "editor/EditorTexts.h"
#include "widgets/CTreeCtrlEx.h"

#include <cstdio>

namespace tarvel {

namespace {

// The ANSI code page's own lower case for each byte; a lead byte of a
// double-byte character stays as it is.
EntryFilter::CaseFold AnsiCaseFold() {
    EntryFilter::CaseFold fold{};
    for (std::size_t byte = 0; byte < fold.size(); ++byte) {
        char folded = static_cast<char>(byte);
        if (byte != 0 && !::IsDBCSLeadByte(static_cast<BYTE>(byte)))
            ::CharLowerBuffA(&folded, 1);
        fold[byte] = static_cast<unsigned char>(folded);
    }
    return fold;
}

std::string FilteredRootLabel(int language, int count) {
    char label[64] = {};
    std::snprintf(label, sizeof label, EditorTexts::kFilteredRootLabel, TemplateLanguage::At(language).rootLabel,
                  count);
    return label;
}

}  // namespace

TreeFilter::TreeFilter(ExpansionTree& entries, tarvel::CTreeCtrlEx& tree, IEditorPageSite& site)
    : entries_(entries), tree_(tree), site_(site), fold_(AnsiCaseFold()) {}

void TreeFilter::Attach() {
    box_.SetHintText(EditorTexts::kFilterHint);
    tree_.SetLabelEmphasis(
        [this](HTREEITEM item, const std::string& label) { return Emphasis(item, label); });
}

void TreeFilter::Apply() {
    const std::string text = box_.GetText();
    if (text == appliedText_ || !entries_.HasRoots())
        return;
    const bool wasActive = IsActive();
    appliedText_ = text;
    filter_.emplace(text, fold_);
    if (!wasActive && !IsActive())
        return;
    if (!wasActive)
        RememberExpandedRoots();
    Rebuild(SelectionNow());
}

TreeFilter::Selection TreeFilter::SelectionNow() const {
    const HTREEITEM selected = tree_.GetSelectedItem();
    return {entries_.EntryOf(selected), entries_.LanguageIndexOfRoot(entries_.RootOf(selected))};
}

// The entry that stays selected keeps its pages as they are (its undo
// history too); another one is shown as any selection shows it.
void TreeFilter::Rebuild(const Selection& before) {
    rebuilding_ = true;
    tree_.Send(WM_SETREDRAW, FALSE);
    const ExpansionTree::ShownCounts counts = entries_.RecreateItems(
        [this](const AutotextEntry& entry) { return !IsActive() || filter_->Matches(entry); });
    LabelRoots(counts);
    ExpandRoots(counts);
    const HTREEITEM target = Target(before, counts);
    const bool stays = before.entry != nullptr && entries_.EntryOf(target) == before.entry;
    if (stays)
        tree_.SelectItem(target);
    tree_.Send(WM_SETREDRAW, TRUE);
    rebuilding_ = false;
    if (!stays)
        tree_.SelectItem(target);
    tree_.EnsureVisible(target);
    ::InvalidateRect(tree_, nullptr, TRUE);
}

void TreeFilter::LabelRoots(const ExpansionTree::ShownCounts& counts) const {
    if (!IsActive())
        return;
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        const HTREEITEM root = entries_.Root(language);
        tree_.SetItemText(root, FilteredRootLabel(language, counts[language]));
        if (counts[language] == 0)
            tree_.SetItemColor(root, ::GetSysColor(COLOR_GRAYTEXT));
    }
}

void TreeFilter::ExpandRoots(const ExpansionTree::ShownCounts& counts) const {
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        if (IsActive() ? counts[language] > 0 : expandedBefore_[language])
            tree_.Expand(entries_.Root(language), TVE_EXPAND);
    }
}

// The entry selected before when it is shown; else while filtering the
// first entry shown; else the root selected before, or of the entry.
HTREEITEM TreeFilter::Target(const Selection& before, const ExpansionTree::ShownCounts& counts) const {
    if (before.entry != nullptr && before.entry->treeItem != nullptr)
        return static_cast<HTREEITEM>(before.entry->treeItem);
    for (int language = 0; IsActive() && language < TemplateLanguage::kCount; ++language) {
        if (counts[language] > 0)
            return tree_.GetChildItem(entries_.Root(language));
    }
    return entries_.Root(before.entry != nullptr ? before.entry->language : before.language);
}

void TreeFilter::RememberExpandedRoots() {
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        expandedBefore_[language] = (tree_.GetItemState(entries_.Root(language), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

bool TreeFilter::HandleKey(const MSG& message) {
    if (message.message != WM_KEYDOWN)
        return false;
    const bool inBox = message.hwnd == box_.GetHwnd();
    if (message.wParam == 'F' && ::GetKeyState(VK_CONTROL) < 0) {
        FocusBox();
        return true;
    }
    // A drag keeps Escape: it ends the drag.
    if (message.wParam == VK_ESCAPE && (inBox || message.hwnd == tree_.GetHwnd()) && !tree_.IsDragging() &&
        !box_.GetText().empty()) {
        Clear();
        return true;
    }
    if (!inBox)
        return false;
    switch (message.wParam) {
        case VK_DOWN:
        case VK_UP:
            Step(message.wParam == VK_DOWN);
            return true;
        case VK_RETURN:
            site_.FocusField(IEditorPageSite::Field::Title);
            return true;
        default:
            return false;
    }
}

void TreeFilter::Clear() {
    box_.SetText("");
    Apply();
}

void TreeFilter::FocusBox() {
    ::SetFocus(box_);
    box_.Send(EM_SETSEL, 0, -1);
}

// Through the entries the tree shows, passing over the roots.
void TreeFilter::Step(bool forward) const {
    HTREEITEM at = tree_.GetSelectedItem();
    if (at == nullptr)
        at = tree_.GetRootItem();
    do
        at = forward ? tree_.GetNextVisibleItem(at) : tree_.GetPrevVisibleItem(at);
    while (at != nullptr && entries_.EntryOf(at) == nullptr);
    if (at == nullptr)
        return;
    tree_.SelectItem(at);
    tree_.EnsureVisible(at);
}

tarvel::TreeColorFonts::Runs TreeFilter::Emphasis(HTREEITEM item, const std::string& label) const {
    tarvel::TreeColorFonts::Runs runs;
    if (!IsActive() || entries_.EntryOf(item) == nullptr)
        return runs;
    for (const EntryFilter::Span& span : filter_->SpansIn(label))
        runs.emplace_back(span.begin, span.length);
    return runs;
}

}  // namespace tarvel
