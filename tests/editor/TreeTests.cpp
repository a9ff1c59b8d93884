// The expansion tree as the user meets it: a drag re-creates the dragged
// entry's item at its new place, and the entry goes there with its edits.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/ScreenCapture.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace tarvel::uitest {
namespace {

using ExpansionTree = EditorTest;

POINT CenterOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// What the tree control sends its parent when the mouse starts a drag, then
// the mouse moving onto the target and released there.
void DragOnto(EditorWindow& window, HTREEITEM item, HTREEITEM target) {
    const HWND tree = window.Tree();
    NMTREEVIEWA start = {};
    start.hdr.hwndFrom = tree;
    start.hdr.idFrom = IDC_EXPANSION_TREE;
    start.hdr.code = TVN_BEGINDRAGA;
    start.itemNew.hItem = item;
    start.ptDrag = CenterOf(window.LabelRect(item));
    ::SendMessageA(window.Handle(), WM_NOTIFY, IDC_EXPANSION_TREE, reinterpret_cast<LPARAM>(&start));
    const POINT drop = CenterOf(window.LabelRect(target));
    ::SendMessageA(tree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    ::SendMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
}

TEST_F(ExpansionTree, ADraggedEntryKeepsItsEditsAtItsNewPlace) {
    WriteSampleTemplates();
    std::vector<std::string> after;
    DialogScript script;
    script
        .Do("edit the first C++ entry's description, then drag it onto the last",
            [&](EditorWindow& window) {
                TreeView_Expand(window.Tree(), window.Root("C++"), TVE_EXPAND);
                window.Select(window.Child("C++", 0));
                window.ReplaceText(IDC_DESCRIPTION, "edited before the drag");
                DragOnto(window, window.Child("C++", 0), window.Child("C++", 2));
                after = window.Labels(window.Children(window.Root("C++")));
            })
        .Do("edit the dragged entry and apply",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 2));
                window.ReplaceText(IDC_TITLE, "edited after the drag");
                window.SendCommand(IDC_APPLY);
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(after, (std::vector<std::string>{"cls", "file header", "fori"}));
    const std::string cpp = folder_.Read("cpp.tpl").value_or("");
    const auto moved = cpp.find("readme:\r\nedited before the drag\r\n\f\r\na:edited after the drag:fori:");
    EXPECT_NE(moved, std::string::npos) << cpp;
    EXPECT_GT(moved, cpp.find("a:file header::")) << "the moved entry is written last";
}

// A modified entry is drawn red by the tree's own label painting; while its
// fields are edited, the tree has lost the focus and the entry must still
// look selected: red on the colour the tree gives a selection then.
TEST_F(ExpansionTree, AModifiedEntryStaysVisiblySelectedWhileItsFieldsAreEdited) {
    WriteSampleTemplates();
    COLORREF selection = 0;
    int red = 0;
    int behindText = 0;
    int window = 0;
    DialogScript script;
    script
        .Do("edit the selected entry's title",
            [](EditorWindow& editor) {
                editor.Select(editor.Child("C++", 0));
                editor.Focus(IDC_TITLE);
                editor.ReplaceText(IDC_TITLE, "modified");
            })
        .Pause(300)
        .Do("look at its label",
            [&](EditorWindow& editor) {
                HTREEITEM item = editor.Child("C++", 0);
                const RECT label = editor.LabelRect(item);
                // The control's own selection colour, beside the text.
                selection = ScreenCapture::PixelAt(editor.Tree(), {label.left, (label.top + label.bottom) / 2});
                red = RedPixelsOf(editor, item);
                for (LONG y = label.top + 2; y < label.bottom - 2; ++y) {
                    for (LONG x = label.left + 3; x < label.right - 3; ++x) {
                        const COLORREF pixel = ScreenCapture::PixelAt(editor.Tree(), {x, y});
                        behindText += pixel == selection;
                        window += pixel == ::GetSysColor(COLOR_WINDOW);
                    }
                }
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_NE(selection, ::GetSysColor(COLOR_WINDOW)) << "the control shows the selection";
    EXPECT_GT(red, 0) << "modified";
    EXPECT_GT(behindText, 0);
    EXPECT_EQ(window, 0) << "no white box over the selection";
}

}  // namespace
}  // namespace tarvel::uitest
