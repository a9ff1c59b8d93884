#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarvel::uitest {

// A popup menu of this thread while it is open (its window class is
// "#32768"), read through the menu handle that the window gives.
class OpenPopupMenu {
public:
    struct Item {
        UINT id = 0;
        std::string text;
        bool grey = false;
        HMENU submenu = nullptr;
    };

    // The window of the open popup, or null when none is open.
    static HWND Window() noexcept;
    // The menu of the open popup, or null when none is open.
    static HMENU Find() noexcept;
    static std::vector<Item> Items(HMENU menu);
    static std::vector<UINT> Ids(HMENU menu);
    // Ends the menu loop as a cancel-mode request to its owner does.
    static void Cancel(HWND owner) noexcept { ::SendMessageA(owner, WM_CANCELMODE, 0, 0); }
    // Chooses the item at the position (separators count) with the keyboard.
    static void ChooseByArrows(int position) noexcept;
};

}  // namespace tarvel::uitest
