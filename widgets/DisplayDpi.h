#pragma once

#include <windows.h>

namespace tarvel {

// The resolution that the dialogs' fixed sizes and margins are laid out at.
constexpr int kReferenceDpi = 96;

// The resolution of the display the window is on; the reference one when its
// device context cannot be had.
int DisplayDpi(HWND window) noexcept;
// A length laid out at the reference resolution, at the window's.
int AtDisplayDpi(int length, HWND window) noexcept;

}  // namespace tarvel
