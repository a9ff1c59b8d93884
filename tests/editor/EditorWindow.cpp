#include "tests/editor/EditorWindow.h"

#include <cstring>

namespace tarvel::uitest {
namespace {

constexpr size_t kTextBuffer = 4096;

struct Search {
    int id = 0;
    const char* className = nullptr;
    const char* caption = nullptr;
    HWND found = nullptr;
};

bool HasClass(HWND hwnd, const char* className) {
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return ::lstrcmpiA(name, className) == 0;
}

bool Matches(HWND hwnd, const Search& search) {
    if (search.caption) {
        char text[256] = {};
        ::GetWindowTextA(hwnd, text, sizeof text);
        return ::lstrcmpA(text, search.caption) == 0 && (!search.className || HasClass(hwnd, search.className));
    }
    if (search.className) {
        return HasClass(hwnd, search.className);
    }
    return ::GetDlgCtrlID(hwnd) == search.id;
}

BOOL CALLBACK MatchDescendant(HWND hwnd, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (Matches(hwnd, search)) {
        search.found = hwnd;
    }
    return search.found == nullptr;
}

HWND FindDescendant(HWND parent, Search search) {
    ::EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// lParam of a key message: repeat count 1, the key's scan code, and for a
// system key the context bit that says Alt is held.
LPARAM KeyData(UINT virtualKey, bool alt) {
    const LPARAM scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    return 1 | (scanCode << 16) | (alt ? (1L << 29) : 0);
}

BOOL CALLBACK FindVisibleBalloon(HWND hwnd, LPARAM found) {
    if (!HasClass(hwnd, "CPPToolTip") || !::IsWindowVisible(hwnd)) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

HWND EditorWindow::VisibleBalloon() noexcept {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleBalloon, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND EditorWindow::Control(int id) const noexcept {
    if (HWND child = ::GetDlgItem(dialog_, id)) {
        return child;
    }
    Search search;
    search.id = id;
    return FindDescendant(dialog_, search);
}

HWND EditorWindow::ControlOfClass(const char* className) const noexcept {
    Search search;
    search.className = className;
    return FindDescendant(dialog_, search);
}

HWND EditorWindow::PageWithCaption(const char* caption) const noexcept {
    Search search;
    search.caption = caption;
    search.className = "#32770";
    return FindDescendant(dialog_, search);
}

bool EditorWindow::FocusIsWithin(HWND window) noexcept {
    HWND focus = ::GetFocus();
    return window && focus && (focus == window || ::IsChild(window, focus));
}

std::string EditorWindow::Text(int id) const {
    HWND control = Control(id);
    const int length = ::GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(control, text.data(), length + 1)));
    return text;
}

void EditorWindow::SetText(int id, const std::string& text) const {
    ::SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void EditorWindow::ReplaceText(int id, const std::string& text) const {
    HWND control = Control(id);
    ::SendMessageA(control, EM_SETSEL, 0, -1);
    ::SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool EditorWindow::IsEnabled(int id) const noexcept {
    HWND control = Control(id);
    return control && ::IsWindowEnabled(control);
}

std::pair<DWORD, DWORD> EditorWindow::Selection(int id) const noexcept {
    DWORD begin = 0;
    DWORD end = 0;
    ::SendMessageA(Control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&begin), reinterpret_cast<LPARAM>(&end));
    return {begin, end};
}

void EditorWindow::SendCommand(int id) const noexcept {
    ::SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

void EditorWindow::PostCommand(int id) const noexcept {
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
}

void EditorWindow::Focus(int id) const noexcept { ::SetFocus(Control(id)); }

int EditorWindow::FocusedControlId() const noexcept {
    HWND focus = ::GetFocus();
    return focus ? ::GetDlgCtrlID(focus) : 0;
}

void EditorWindow::PostKeyDown(UINT virtualKey) const noexcept {
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
}

void EditorWindow::PostAltKey(UINT virtualKey) const noexcept {
    ::PostMessageA(::GetFocus(), WM_SYSKEYDOWN, virtualKey, KeyData(virtualKey, true));
}

void EditorWindow::PostChar(char character) const noexcept {
    const auto code = static_cast<unsigned char>(character);
    ::PostMessageA(::GetFocus(), WM_CHAR, code, KeyData(::VkKeyScanA(character) & 0xFF, false));
}

RECT EditorWindow::ClientRect() const noexcept {
    RECT rect{};
    ::GetClientRect(dialog_, &rect);
    return rect;
}

RECT EditorWindow::RectInClient(HWND control) const noexcept {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND EditorWindow::Tree() const noexcept { return ControlOfClass(WC_TREEVIEWA); }

std::vector<HTREEITEM> EditorWindow::Roots() const { return Children(TVI_ROOT); }

std::vector<HTREEITEM> EditorWindow::Children(HTREEITEM parent) const {
    std::vector<HTREEITEM> items;
    HWND tree = Tree();
    auto item = parent == TVI_ROOT ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        items.push_back(item);
    }
    return items;
}

std::vector<std::string> EditorWindow::Labels(const std::vector<HTREEITEM>& items) const {
    std::vector<std::string> labels;
    for (HTREEITEM item : items) {
        labels.push_back(Label(item));
    }
    return labels;
}

std::string EditorWindow::Label(HTREEITEM item) const {
    char text[kTextBuffer] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    ::SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

HTREEITEM EditorWindow::Root(const std::string& label) const {
    for (HTREEITEM root : Roots()) {
        if (Label(root) == label) {
            return root;
        }
    }
    return nullptr;
}

HTREEITEM EditorWindow::Child(const std::string& rootLabel, size_t index) const {
    HTREEITEM root = Root(rootLabel);
    if (!root) {
        return nullptr;
    }
    const auto children = Children(root);
    return index < children.size() ? children[index] : nullptr;
}

HTREEITEM EditorWindow::SelectedItem() const noexcept { return TreeView_GetSelection(Tree()); }

HTREEITEM EditorWindow::ParentOf(HTREEITEM item) const noexcept { return TreeView_GetParent(Tree(), item); }

bool EditorWindow::IsExpanded(HTREEITEM item) const noexcept {
    return (TreeView_GetItemState(Tree(), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void EditorWindow::Select(HTREEITEM item) const noexcept { TreeView_SelectItem(Tree(), item); }

RECT EditorWindow::LabelRect(HTREEITEM item) const noexcept {
    HWND tree = Tree();
    ::RedrawWindow(tree, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT rect{};
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    return rect;
}

UINT EditorWindow::ItemCount() const noexcept { return TreeView_GetCount(Tree()); }

HWND EditorWindow::Toolbar() const noexcept { return Control(kToolbarId); }

bool EditorWindow::IsToolbarButtonEnabled(int commandId) const noexcept {
    return ::SendMessageA(Toolbar(), TB_ISBUTTONENABLED, commandId, 0) != 0;
}

}  // namespace tarvel::uitest
