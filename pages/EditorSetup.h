#pragma once

#include <windows.h>

namespace tarvel {

class CScintilla;

// The two forms of the code view: the code page's editor, and the read-only
// view of the prompt dialog, whose default style cannot change and which
// gets no lexer.
enum class EditorForm { Editable, ReadOnly };

// Creates the editor as child 1021 of the page, inset from the page's
// client area, with the default style, direct calls and the text code page.
bool CreateEditorWindow(CScintilla& editor, HWND page, EditorForm form);
// Tabs, caret, long-line edge, margins, then ApplyFoldSettings.
void ApplyEditorDefaults(CScintilla& editor);
void ApplyFoldSettings(CScintilla& editor);
// The lexer's part of the fold settings, lost whenever the lexer is replaced.
void ApplyFoldProperties(CScintilla& editor);

// The code page that keeps the editor's bytes those of the module's ANSI
// texts: 0 (one byte per character) unless the system's ANSI code page is
// one of the multi-byte code pages that Scintilla knows.
int EditorCodePage();
// Keeps the last line's number inside the line-number margin; called once
// the number of lines changed.
void FitLineNumberMargin(CScintilla& editor);
// The character set of the default style that goes with that code page.
int EditorCharacterSet();
// The GDI character set of the system's ANSI code page (DEFAULT_CHARSET when
// the system does not say).
int SystemCharacterSet();

}  // namespace tarvel
