#include "pages/CPropPageSnippetTitle.h"

#include <algorithm>

#include "pages/PageTexts.h"
#include "pages/TitleHelpTips.h"
#include "res/resource.h"
#include "store/AutotextEntry.h"
#include "store/TextRules.h"

namespace tarvel {

CPropPageSnippetTitle::CPropPageSnippetTitle(HINSTANCE module) : CEditorPage(module, IDD_TITLE_PAGE, IDI_TITLE_PAGE) {}

BOOL CPropPageSnippetTitle::OnInitDialog() {
    CEditorPage::OnInitDialog();
    AddAnchor(IDC_TITLE, tarvel::TOP_LEFT, tarvel::TOP_RIGHT);
    AddAnchor(IDC_SHORTCUT, tarvel::TOP_LEFT, tarvel::TOP_RIGHT);
    AddAnchor(IDC_DESCRIPTION, tarvel::TOP_LEFT, tarvel::BOTTOM_RIGHT);
    TitleHelpTips::SetUp(helpTips_, GetHwnd());
    return TRUE;
}

bool CPropPageSnippetTitle::PreTranslateMessage(MSG& message) {
    helpTips_.RelayEvent(message);
    return CResizablePage::PreTranslateMessage(message);
}

void CPropPageSnippetTitle::DoDataExchange(tarvel::CDataExchange& exchange) {
    exchange.Control(IDC_TITLE, title_);
    exchange.Control(IDC_SHORTCUT, shortcut_);
    exchange.Control(IDC_DESCRIPTION, description_);
}

bool CPropPageSnippetTitle::OnMessage(const Message& message, LRESULT& result) {
    static const auto map = tarvel::MessageMap<CPropPageSnippetTitle>()
                                .OnCommand(IDC_TITLE, &CPropPageSnippetTitle::OnTitleChanged, EN_CHANGE)
                                .OnCommand(IDC_SHORTCUT, &CPropPageSnippetTitle::OnShortcutChanged, EN_CHANGE)
                                .OnCommand(IDC_DESCRIPTION, &CPropPageSnippetTitle::OnDescriptionChanged, EN_CHANGE);
    if (IsHeldBackChange(message)) {
        result = 0;
        return true;
    }
    return map.Dispatch(*this, message, result) || CEditorPage::OnMessage(message, result);
}

void CPropPageSnippetTitle::SetTitlePageState(int state) {
    const bool shown = state == kEntryShown;
    if (!shown) {
        for (auto* field : {&title_, &shortcut_, &description_}) {
            ::EnableWindow(*field, FALSE);
            field->SetText("");
        }
        return;
    }
    for (auto* field : {&shortcut_, &description_, &title_})
        ::EnableWindow(*field, TRUE);
}

void CPropPageSnippetTitle::ShowEntryTexts(const AutotextEntry& entry) {
    ShowFieldText(description_, entry.description);
    ShowFieldText(shortcut_, entry.shortcut);
    ShowFieldText(title_, entry.title);
}

// Only a change the user makes is stored: a field cuts its text at a NUL
// byte, and storing what it shows would change an entry merely shown. A
// field that shows the text already is left alone: setting it redraws it.
void CPropPageSnippetTitle::ShowFieldText(tarvel::CWindow& field, const std::string& text) {
    if (field.GetText() == text)
        return;
    heldBackField_ = field.GetHwnd();
    field.SetText(text);
    heldBackField_ = nullptr;
}

bool CPropPageSnippetTitle::IsHeldBackChange(const Message& message) const {
    return heldBackField_ != nullptr && message.id == WM_COMMAND && message.CommandCode() == EN_CHANGE &&
           message.CommandWindow() == heldBackField_;
}

AutotextEntry* CPropPageSnippetTitle::EditedEntry() const { return Site() ? Site()->CurrentEntry() : nullptr; }

LRESULT CPropPageSnippetTitle::OnTitleChanged(const Message&) {
    if (EditedEntry() == nullptr)
        return 0;
    std::string text = title_.GetText();
    DropFormFeeds(title_, text);
    if (RefuseCharacter(title_, text, ':', PageTexts::kColonsInTitle))
        return 0;
    StoreField(&AutotextEntry::title, text, Relabel::Yes);
    return 0;
}

LRESULT CPropPageSnippetTitle::OnShortcutChanged(const Message&) {
    if (EditedEntry() == nullptr)
        return 0;
    std::string text = shortcut_.GetText();
    DropFormFeeds(shortcut_, text);
    if (RefuseCharacter(shortcut_, text, ' ', PageTexts::kSpacesInShortcut) ||
        RefuseCharacter(shortcut_, text, ':', PageTexts::kColonsInShortcut))
        return 0;
    StoreField(&AutotextEntry::shortcut, text, Relabel::Yes);
    return 0;
}

LRESULT CPropPageSnippetTitle::OnDescriptionChanged(const Message&) {
    if (EditedEntry() == nullptr)
        return 0;
    std::string text = description_.GetText();
    DropFormFeeds(description_, text);
    StoreField(&AutotextEntry::description, text, Relabel::No);
    return 0;
}

// A form feed ends an entry in the template file, so none is kept; the user
// is told on the tip line, without a box that would stop the typing. The
// field shows the text without them, the caret where it was; the handler
// goes on with that text.
void CPropPageSnippetTitle::DropFormFeeds(tarvel::CWindow& field, std::string& text) {
    if (text.find('\f') == std::string::npos)
        return;
    DWORD caret = 0;
    field.Send(EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const auto beforeCaret = text.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(caret, text.size()));
    caret -= static_cast<DWORD>(std::count(text.begin(), beforeCaret, '\f'));
    text.erase(std::remove(text.begin(), text.end(), '\f'), text.end());
    ShowFieldText(field, text);
    field.Send(EM_SETSEL, caret, caret);
    field.Send(EM_SCROLLCARET);
    Site()->ReportRemovedFormFeeds();
}

// Putting the stripped text back raises the change notification again; that
// second pass finds nothing to refuse and stores the text.
bool CPropPageSnippetTitle::RefuseCharacter(tarvel::CWindow& field, std::string& text, char refused,
                                            const char* message) {
    if (text.find(refused) == std::string::npos)
        return false;
    ::MessageBoxA(GetHwnd(), message, PageTexts::kErrorCaption, MB_OK | MB_ICONSTOP);
    text.erase(std::remove(text.begin(), text.end(), refused), text.end());
    field.SetText(text);
    field.Send(EM_SETSEL, 0, -1);
    field.Send(EM_SCROLLCARET);
    return true;
}

// The field keeps what the user typed; the entry keeps it trimmed.
void CPropPageSnippetTitle::StoreField(EntryText AutotextEntry::*member, const std::string& text, Relabel relabel) {
    AutotextEntry* entry = EditedEntry();
    if (entry == nullptr)
        return;
    if (text != entry->*member) {
        Site()->MarkCurrentEntryModified();
        Site()->EnableApply(true);
    }
    entry->*member = TextRules::Trim(text);
    if (relabel == Relabel::Yes)
        Site()->CurrentEntryRelabelled();
}

}  // namespace tarvel
