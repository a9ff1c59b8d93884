#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tarvel {

// One window message with typed accessors for the parameters that the
// handlers of this module need (in the manner of message crackers).
struct Message {
    HWND hwnd = nullptr;
    UINT id = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;

    UINT CommandId() const noexcept { return LOWORD(wParam); }
    UINT CommandCode() const noexcept { return HIWORD(wParam); }
    HWND CommandWindow() const noexcept { return reinterpret_cast<HWND>(lParam); }
    NMHDR* Notify() const noexcept { return reinterpret_cast<NMHDR*>(lParam); }
    UINT NotifyCode() const noexcept { return Notify()->code; }
    UINT_PTR NotifyId() const noexcept { return Notify()->idFrom; }
    POINT Point() const noexcept {
        return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    }
    SIZE Size() const noexcept { return SIZE{LOWORD(lParam), HIWORD(lParam)}; }
    UINT_PTR TimerId() const noexcept { return wParam; }
};

// Reflected messages: a parent hands a child's WM_NOTIFY / WM_COMMAND back to
// the child's own wrapper under this offset, so controls handle their own events.
constexpr UINT kReflectedMessageBase = WM_USER + 0x1C00;
constexpr UINT Reflected(UINT message) noexcept { return kReflectedMessageBase + message; }

// The idle message of the modal loop: sent when the queue has run empty.
constexpr UINT WM_KICKIDLE = 0x036A;

}  // namespace tarvel
