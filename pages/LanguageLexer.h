#pragma once

namespace tarvel {

class CScintilla;

// Lexer, style colours and keyword lists of one language (index 0 to 7 of
// TemplateLanguage), then the editor defaults. Colours not listed for a
// language keep what the previous set-up left. Any other index changes nothing.
void ApplyLanguageLexer(CScintilla& editor, int language);

}  // namespace tarvel
