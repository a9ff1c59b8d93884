#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace tarvel::uitest {

// A running dialog as a user or a host sees it: its controls by id, their
// texts and states, the tree's items and the keyboard focus. Only messages
// and window queries are used, no knowledge of the dialog's classes.
class EditorWindow {
public:
    explicit EditorWindow(HWND dialog) noexcept : dialog_(dialog) {}

    HWND Handle() const noexcept { return dialog_; }

    // A direct child with the id, else the first descendant with it.
    HWND Control(int id) const noexcept;
    // The first descendant of the window class (e.g. "Scintilla").
    HWND ControlOfClass(const char* className) const noexcept;
    // A child dialog (a property page) by its caption, e.g. "Code".
    HWND PageWithCaption(const char* caption) const noexcept;
    // True when the focus is the window or one of its descendants.
    static bool FocusIsWithin(HWND window) noexcept;
    std::string Text(int id) const;
    // Through WM_SETTEXT, as a program sets it (a multi-line edit then
    // sends no change notification).
    void SetText(int id, const std::string& text) const;
    // The whole text selected and replaced, as a paste over it would.
    void ReplaceText(int id, const std::string& text) const;
    bool IsEnabled(int id) const noexcept;
    // Selection of an edit control as begin and end.
    std::pair<DWORD, DWORD> Selection(int id) const noexcept;

    void SendCommand(int id) const noexcept;
    void PostCommand(int id) const noexcept;
    void Focus(int id) const noexcept;
    int FocusedControlId() const noexcept;

    // Keyboard input as the modal loop receives it from the system: posted
    // to the window that holds the focus.
    void PostKeyDown(UINT virtualKey) const noexcept;
    void PostAltKey(UINT virtualKey) const noexcept;
    void PostChar(char character) const noexcept;

    // Rectangles in the dialog's client coordinates.
    RECT ClientRect() const noexcept;
    RECT RectInClient(HWND control) const noexcept;
    RECT RectInClient(int id) const noexcept { return RectInClient(Control(id)); }

    // The expansion tree.
    HWND Tree() const noexcept;
    std::vector<HTREEITEM> Roots() const;
    std::vector<HTREEITEM> Children(HTREEITEM parent) const;
    std::vector<std::string> Labels(const std::vector<HTREEITEM>& items) const;
    std::string Label(HTREEITEM item) const;
    HTREEITEM Root(const std::string& label) const;
    HTREEITEM Child(const std::string& rootLabel, size_t index) const;
    HTREEITEM SelectedItem() const noexcept;
    HTREEITEM ParentOf(HTREEITEM item) const noexcept;
    bool IsExpanded(HTREEITEM item) const noexcept;
    void Select(HTREEITEM item) const noexcept;
    // The item's label in the tree's client coordinates, repainted first.
    RECT LabelRect(HTREEITEM item) const noexcept;
    UINT ItemCount() const noexcept;

    // The toolbar (control-bar id 0xE800).
    HWND Toolbar() const noexcept;
    bool IsToolbarButtonEnabled(int commandId) const noexcept;

    static constexpr int kToolbarId = 0xE800;

    // A tooltip balloon of this thread on show, if any.
    static HWND VisibleBalloon() noexcept;

private:
    HWND dialog_;
};

}  // namespace tarvel::uitest
