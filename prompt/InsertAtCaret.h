#pragma once

#include <windows.h>

namespace tarvel {

// Puts the text into the edit control at its caret, replacing the selection,
// its lines joined with blanks, as one step that EM_UNDO takes back.
void InsertAtCaret(HWND edit, const char* text);

}  // namespace tarvel
