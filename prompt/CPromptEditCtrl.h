#pragma once

#include "widgets/CDimEditCtrl.h"

#include <string>

namespace tarvel {

// The value edit of one prompt row: a dimmed-hint edit whose context menu
// offers the edit commands and the host's recent clipboard texts. A paste
// puts the clipboard's text in as one line, whole, and leaves the clipboard
// as it was.
class CPromptEditCtrl : public CDimEditCtrl {
public:
    explicit CPromptEditCtrl(HINSTANCE module) noexcept : module_(module) {}

    // The prompt edit that has the handle, or null for any other window.
    static CPromptEditCtrl* FromHandle(HWND hwnd) noexcept;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    LRESULT OnContextMenu(const Message& message);
    LRESULT OnPaste(const Message& message);
    POINT MenuPoint(POINT given) const noexcept;
    void EnableMenuItems(HMENU popup) const noexcept;
    void RunMenuCommand(UINT commandId);
    // The menu's Paste: like OnPaste, but tells the user why nothing came.
    void PasteWithMessages();
    void ReplaceSelectionWithOneLine(const std::string& clipboardText);
    bool IsReadOnly() const noexcept;
    void ShowMessage(const char* text, const char* caption, UINT icon) const noexcept;

    HINSTANCE module_;
};

}  // namespace tarvel
