#pragma once

#include <string>

#include "pages/CEditorPage.h"
#include "widgets/CScintilla.h"

namespace tarvel {

// The lower page of the editor: the selected entry's code in a Scintilla
// editor. Every insertion or deletion goes straight into the entry, marks it
// modified and enables Apply; a right-click opens the editing commands and
// the Insert menus of reserved variables; Ctrl+S applies.
class CPropPageSnippetCode : public CEditorPage {
public:
    explicit CPropPageSnippetCode(HINSTANCE module);

    // The editor window; null without the editing library.
    HWND CodeWindow() const noexcept { return editor_.GetHwnd(); }

    // The dialog's part of a selection change, run with the editor's sync
    // cleared so that loading is not taken for an edit: the language's
    // colouring, then the code with a fresh undo history...
    void ApplyLanguage(int language);
    void LoadCode(const std::string& code);
    // ...or, for a language root, an empty and disabled editor.
    void ClearCode();

    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(const tarvel::Message& message, LRESULT& result) override;

private:
    LRESULT OnEditorNotify(const tarvel::Message& message);
    LRESULT OnCommand(const tarvel::Message& message);
    LRESULT OnContextMenu(const tarvel::Message& message);
    bool OnMenuCommand(UINT commandId);
    bool RunEditCommand(UINT commandId) const;

    bool IsEntryShown() const;
    void CopyEditToEntry(const SCNotification& edit) const;
    void DropFormFeeds(const SCNotification& insertion) const;

    tarvel::CScintilla editor_;
    // Lines were added or removed: the margin is fitted once the editor
    // updates its view, not inside the modification's notification.
    bool marginFitDue_ = false;
    // The language whose set-up the editor holds: a selection within it
    // sets up nothing again.
    static constexpr int kNoLanguage = -1;
    int languageShown_ = kNoLanguage;
};

}  // namespace tarvel
