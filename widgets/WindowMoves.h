#pragma once

#include <windows.h>

#include <vector>

namespace tarvel {

// A window and its new rectangle in its parent's client coordinates.
struct WindowMove {
    HWND window;
    RECT rect;
};

// Moves the windows in one deferred pass, or one by one when the system
// cannot keep the pass, without redrawing them: the caller redraws once
// what the pass uncovered. Windows that are gone are skipped.
void MoveWindowsTogether(const std::vector<WindowMove>& moves) noexcept;

}  // namespace tarvel
