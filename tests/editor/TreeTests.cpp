// The expansion tree as the user meets it: until reordering by drag-and-drop
// is built, a drag moves nothing, so no entry loses its item and its edits.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace tarvel::uitest {
namespace {

using ExpansionTree = EditorTest;

POINT CentreOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// What the tree control sends its parent when the mouse starts a drag, then
// the mouse moving onto the target and released there.
void DragOnto(EditorWindow& window, HTREEITEM item, HTREEITEM target) {
    const HWND tree = window.Tree();
    NMTREEVIEWA start = {};
    start.hdr.hwndFrom = tree;
    start.hdr.idFrom = IDC_EXPANSION_TREE;
    start.hdr.code = TVN_BEGINDRAGA;
    start.itemNew.hItem = item;
    start.ptDrag = CentreOf(window.LabelRect(item));
    ::SendMessageA(window.Handle(), WM_NOTIFY, IDC_EXPANSION_TREE, reinterpret_cast<LPARAM>(&start));
    const POINT drop = CentreOf(window.LabelRect(target));
    ::SendMessageA(tree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    ::SendMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
}

TEST_F(ExpansionTree, ADragMovesNothingAndTheDraggedEntryKeepsItsEdits) {
    WriteSampleTemplates();
    std::vector<std::string> before, after;
    DialogScript script;
    script
        .Do("drag the first C++ entry onto the last",
            [&](EditorWindow& window) {
                TreeView_Expand(window.Tree(), window.Root("C++"), TVE_EXPAND);
                before = window.Labels(window.Children(window.Root("C++")));
                DragOnto(window, window.Child("C++", 0), window.Child("C++", 2));
                after = window.Labels(window.Children(window.Root("C++")));
            })
        .Do("edit the dragged entry and apply",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                window.ReplaceText(IDC_TITLE, "edited after the drag");
                window.SendCommand(IDC_APPLY);
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(after, before);
    EXPECT_NE(folder_.Read("cpp.tpl").value_or("").find("a:edited after the drag:fori:"), std::string::npos);
}

}  // namespace
}  // namespace tarvel::uitest
