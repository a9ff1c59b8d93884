#pragma once

#include <windows.h>

namespace tarvel {

// Puts the text into the edit control at its caret, replacing the selection,
// as one step that EM_UNDO does not take back.
void InsertAtCaret(HWND edit, const char* text) noexcept;

}  // namespace tarvel
