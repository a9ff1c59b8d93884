#include "tests/prompt/OpenPopupMenu.h"

namespace tarvel::uitest {
namespace {

constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU
constexpr char kMenuClass[] = "#32768";

BOOL CALLBACK MatchMenuWindow(HWND hwnd, LPARAM found) {
    char name[16] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (::lstrcmpA(name, kMenuClass) == 0 && ::IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void PostKey(UINT virtualKey) noexcept {
    const LPARAM data = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16);
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, virtualKey, data);
}

}  // namespace

HWND OpenPopupMenu::Window() noexcept {
    HWND window = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchMenuWindow, reinterpret_cast<LPARAM>(&window));
    return window;
}

HMENU OpenPopupMenu::Find() noexcept {
    HWND window = Window();
    return window ? reinterpret_cast<HMENU>(::SendMessageA(window, kGetMenuHandle, 0, 0)) : nullptr;
}

std::vector<OpenPopupMenu::Item> OpenPopupMenu::Items(HMENU menu) {
    std::vector<Item> items;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        items.push_back({info.wID, text, (info.fState & MFS_GRAYED) != 0, info.hSubMenu});
    }
    return items;
}

std::vector<UINT> OpenPopupMenu::Ids(HMENU menu) {
    std::vector<UINT> ids;
    for (const Item& item : Items(menu)) {
        ids.push_back(item.id);
    }
    return ids;
}

void OpenPopupMenu::ChooseByArrows(int position) noexcept {
    for (int step = 0; step <= position; ++step) {
        PostKey(VK_DOWN);
    }
    PostKey(VK_RETURN);
}

}  // namespace tarvel::uitest
