#pragma once

#include <string>
#include <string_view>

#include "prompt/PromptPreview.h"
#include "widgets/CResizablePage.h"
#include "widgets/CScintilla.h"

namespace tarvel {

// The "Code" page of the prompt dialog: the entry's code in an editor view
// that the user can read, select and scroll but not change. No lexer, no
// menu, no keys of its own and no entry behind it. It shows the expansion as
// it will be: stretches that stand for prompts are marked, filled values
// otherwise than prompts still empty.
//
// The view holds its text as UTF-8 made from the ANSI text: Scintilla then
// measures and draws through the wide-character calls. Under Wine the ANSI
// ones overrun Scintilla's buffers for double-byte text when no font of the
// system's double-byte character set is installed.
class CPropPageSnippetCodeReadOnly : public CResizablePage {
public:
    explicit CPropPageSnippetCodeReadOnly(HINSTANCE module);

    // The view's encoding of an ANSI text.
    static std::string ViewText(std::string_view ansi);

    // Replaces the text by the preview's, which is in the view's encoding,
    // and keeps the lines in view where they were.
    void ShowPreview(const PreviewText& preview);
    const CScintilla& Editor() const { return editor_; }

protected:
    BOOL OnInitDialog() override;

private:
    void ReplaceText(const std::string& viewText);
    void MarkPrompts(const std::vector<PreviewMark>& marks);

    CScintilla editor_;
};

}  // namespace tarvel
