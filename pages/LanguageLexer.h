#pragma once

namespace tarvel {

class CScintilla;

// Lexer, style colours and keyword lists of one language (index 0 to 7 of
// TemplateLanguage), and the fold properties the new lexer needs; the editor
// defaults stay as set once. Colours not listed for a language keep what the
// previous set-up left; only those that differ are sent. Any other index
// changes nothing.
void ApplyLanguageLexer(CScintilla& editor, int language);

}  // namespace tarvel
