#pragma once

#include <string>

#include "widgets/CResizablePage.h"
#include "widgets/CScintilla.h"

// The "Code" page of the prompt dialog: the entry's code in an editor view
// that the user can read, select and scroll but not change. No lexer, no
// menu, no keys of its own and no entry behind it.
class CPropPageSnippetCodeReadOnly : public tarvel::CResizablePage {
public:
    explicit CPropPageSnippetCodeReadOnly(HINSTANCE module);

    // Shows the code, NUL bytes included; meant to run once, after the page
    // was created. Nothing happens without the editing library.
    void ShowCode(const std::string& code);
    const tarvel::CScintilla& Editor() const { return editor_; }

protected:
    BOOL OnInitDialog() override;

private:
    tarvel::CScintilla editor_;
};
