#pragma once

namespace tarvel {

struct AutotextEntry;

// What a page asks of the dialog that shows it. The editor dialog is one
// such site; a page shown elsewhere (the read-only code page of the prompt
// dialog) needs none and works without it.
class IEditorPageSite {
public:
    enum class Field { Title, Shortcut, Description, Code };

    // The entry the pages edit, or null while no entry is selected.
    virtual AutotextEntry* CurrentEntry() const = 0;
    // Cleared while the dialog itself fills the code editor, so that the
    // page does not take the filling for an edit.
    virtual bool IsEditorSyncEnabled() const = 0;
    // Shows the current entry as changed since the dialog opened.
    virtual void MarkCurrentEntryModified() = 0;
    virtual void EnableApply(bool enable) = 0;
    // The entry's title or shortcut changed: its label follows.
    virtual void CurrentEntryRelabelled() = 0;
    // Runs a command of the dialog (OK, Cancel, Apply, the entry commands).
    virtual void RunCommand(unsigned int commandId) = 0;
    // Moves the focus to a field, with an edit field's whole text selected;
    // nothing happens while the field is disabled.
    virtual void FocusField(Field field) = 0;
    // A field or the code lost the form feeds typed or pasted into it: the
    // template files end an entry at a form feed.
    virtual void ReportRemovedFormFeeds() = 0;

protected:
    ~IEditorPageSite() = default;
};

}  // namespace tarvel
