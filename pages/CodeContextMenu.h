#pragma once

#include <windows.h>

#include <string>

#include "handles/UniqueHandle.h"

namespace tarvel {

// The code page's context menu (menu resource 154) as one opening shows it:
// the editing commands and the Insert submenus of reserved variables, with
// a Refactor submenu for entries whose title begins with "Refactor". Built
// anew for every opening.
class CodeContextMenu {
public:
    // With editable false (no entry shown) the items that would change the
    // text are grey.
    CodeContextMenu(HINSTANCE module, const std::string& title, bool editable);

    // Shows the menu at a screen point; the chosen command reaches owner as
    // an ordinary menu command.
    void Track(HWND owner, POINT point) const;

    // The reserved variable an Insert command types; empty for other ids.
    static std::string VariableOf(UINT commandId);

private:
    HMENU Popup() const noexcept;
    void AddRefactorSubmenu() const;
    void GreyTextChanges() const;

    tarvel::UniqueMenu menu_;
};

}  // namespace tarvel
