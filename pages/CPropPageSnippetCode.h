#pragma once

#include "pages/CEditorPage.h"
#include "res/resource.h"

// The lower page of the editor, which will hold the code editor; until then
// a hidden placeholder keeps its place and takes no focus.
class CPropPageSnippetCode : public CEditorPage {
public:
    explicit CPropPageSnippetCode(HINSTANCE module);

    // The window the code is edited in; hidden while it is a placeholder.
    HWND CodeWindow() const noexcept { return GetItem(IDC_CODE_PLACEHOLDER); }

protected:
    BOOL OnInitDialog() override;
};
