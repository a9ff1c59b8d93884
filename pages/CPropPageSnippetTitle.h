#pragma once

#include <string>

#include "pages/CEditorPage.h"
#include "widgets/CPPToolTip.h"

namespace tarvel {

struct AutotextEntry;
class EntryText;

// The upper page of the editor: title, shortcut and description of the
// selected entry. Every keystroke goes straight into the entry, which keeps
// its tree label up to date, is marked modified and enables Apply. Showing
// an entry changes nothing in it.
class CPropPageSnippetTitle : public CEditorPage {
public:
    enum State { kNoEntry = 1, kEntryShown = 2 };

    explicit CPropPageSnippetTitle(HINSTANCE module);

    void SetTitlePageState(int state);
    void ShowEntryTexts(const AutotextEntry& entry);
    HWND Field(int controlId) const { return GetItem(controlId); }

    // Relays every message to the help tips.
    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(tarvel::CDataExchange& exchange) override;
    bool OnMessage(const tarvel::Message& message, LRESULT& result) override;

private:
    LRESULT OnTitleChanged(const tarvel::Message& message);
    LRESULT OnShortcutChanged(const tarvel::Message& message);
    LRESULT OnDescriptionChanged(const tarvel::Message& message);

    void ShowFieldText(tarvel::CWindow& field, const std::string& text);
    bool IsHeldBackChange(const tarvel::Message& message) const;

    // The entry the site edits, if any.
    AutotextEntry* EditedEntry() const;
    // Takes the form feeds out of the field's text and the field.
    void DropFormFeeds(tarvel::CWindow& field, std::string& text);
    // Shows the refusal, strips the characters and selects the rest; true
    // when the text held any of them.
    bool RefuseCharacter(tarvel::CWindow& field, std::string& text, char refused, const char* message);
    enum class Relabel { No, Yes };
    void StoreField(EntryText AutotextEntry::*member, const std::string& text, Relabel relabel);

    CPPToolTip helpTips_;
    tarvel::CWindow title_;
    tarvel::CWindow shortcut_;
    tarvel::CWindow description_;
    // The field whose change notification is held back while its text is shown.
    HWND heldBackField_ = nullptr;
};

}  // namespace tarvel
