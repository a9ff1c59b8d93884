// The filter above the expansion tree: what it shows, its keys, and that the
// entry commands and saving act on every entry in its real order, shown or not.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateText.h"

#include <vector>

namespace tarvel::uitest {
namespace {

using Labels = std::vector<std::string>;
using Filter = EditorTest;

Labels RootLabels(const EditorWindow& window) { return window.Labels(window.Roots()); }

Labels HtmlLabels(const EditorWindow& window) {
    return window.Labels(window.Children(window.Roots()[2]));
}

void TypeIntoFocus(const EditorWindow& window, const std::string& text) {
    for (char c : text) {
        window.PostChar(c);
    }
}

void SelectInFocusedTree(EditorWindow& window, HTREEITEM item) {
    window.Select(item);
    window.Focus(IDC_EXPANSION_TREE);
}

TEST_F(Filter, ShowsTheMatchesUnderCountedRootsAndEscapeShowsEveryEntryAgain) {
    WriteOddAndEvenTemplates();
    DialogScript script;
    script
        .Do("press Ctrl+F in the tree",
            [](EditorWindow& window) {
                window.Focus(IDC_EXPANSION_TREE);
                HoldControl(true);
                window.PostKeyDown('F');
            })
        .Do("type a word in another case", [](EditorWindow& window) {
            HoldControl(false);
            TypeIntoFocus(window, "ODD");
        })
        .Do("look",
            [](EditorWindow& window) {
                EXPECT_EQ(window.FocusedControlId(), IDC_TREE_FILTER);
                const RECT box = window.RectInClient(IDC_TREE_FILTER);
                const RECT tree = window.RectInClient(IDC_EXPANSION_TREE);
                EXPECT_TRUE(box.left == tree.left && box.right == tree.right && box.bottom < tree.top)
                    << "the box is above the tree";
                EXPECT_EQ(RootLabels(window), (Labels{"C++ (0)", "C# (0)", "HTML (3)", "Java (0)", "JavaScript (0)",
                                                      "Perl (0)", "Text (0)", "VB (0)"}));
                EXPECT_EQ(HtmlLabels(window), (Labels{"a1", "a3", "a5"}));
                EXPECT_EQ(window.Text(IDC_SHORTCUT), "a1") << "the first match is selected";
                window.PostKeyDown(VK_DOWN);
            })
        .Do("press Up", [](EditorWindow& window) {
            EXPECT_EQ(window.Text(IDC_SHORTCUT), "a3");
            window.PostKeyDown(VK_UP);
        })
        .Do("press Enter", [](EditorWindow& window) {
            EXPECT_EQ(window.Text(IDC_SHORTCUT), "a1");
            window.PostKeyDown(VK_RETURN);
        })
        .Do("press Escape in the box", [](EditorWindow& window) {
            EXPECT_EQ(window.FocusedControlId(), IDC_TITLE);
            window.Focus(IDC_TREE_FILTER);
            window.PostKeyDown(VK_ESCAPE);
        })
        .Do("look again and press Escape once more", [](EditorWindow& window) {
            EXPECT_EQ(RootLabels(window), Labels(std::begin(kRootLabels), std::end(kRootLabels)));
            EXPECT_EQ(HtmlLabels(window), (Labels{"a0", "a1", "a2", "a3", "a4", "a5", "a6"}));
            EXPECT_TRUE(window.IsExpanded(window.Root("C++"))) << "roots open before the filter are open again";
            EXPECT_EQ(window.Label(window.SelectedItem()), "a1");
            window.PostKeyDown(VK_ESCAPE);
        });
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
}

TEST_F(Filter, CommandsActOnTheRealOrderAndOkSavesEveryEntry) {
    WriteOddAndEvenTemplates();
    Labels whileEdited, afterRetyping;
    DialogScript script;
    script.Do("filter", [](EditorWindow& window) { window.ReplaceText(IDC_TREE_FILTER, "odd"); })
        .Do("New after a1",
            [](EditorWindow& window) {
                SelectInFocusedTree(window, window.Child("HTML (3)", 0));
                window.SendCommand(ID_ENTRY_NEW);
            })
        .Do("Duplicate a3",
            [](EditorWindow& window) {
                SelectInFocusedTree(window, window.Child("HTML (3)", 2));
                window.SendCommand(ID_ENTRY_DUPLICATE);
            })
        .Do("Delete a5",
            [](EditorWindow& window) {
                SelectInFocusedTree(window, window.Child("HTML (3)", 4));
                window.SendCommand(ID_ENTRY_DELETE);
            })
        .Do("edit a1 out of the matches",
            [&](EditorWindow& window) {
                window.Select(window.Child("HTML (3)", 0));
                window.ReplaceText(IDC_DESCRIPTION, "no longer");
                whileEdited = HtmlLabels(window);
                window.ReplaceText(IDC_TREE_FILTER, "odd ");
            })
        .Do("press OK", [&](EditorWindow& window) {
            afterRetyping = HtmlLabels(window);
            PressOk(window);
        });
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(whileEdited, (Labels{"a1", "Untitled", "a3", "Copy of entry 3"}));
    EXPECT_EQ(afterRetyping, (Labels{"a3", "Copy of entry 3"}));
    EXPECT_EQ(folder_.Read("html.tpl"), OddAndEvenRecord(0) + OddAndEvenRecord(1, "no longer") +
                                            TemplateRecord("Untitled", "", "") + OddAndEvenRecord(2) +
                                            OddAndEvenRecord(3) +
                                            TemplateRecord("entry 3", "Copy_of_a3", "<p>3</p>", "odd") +
                                            OddAndEvenRecord(4) + OddAndEvenRecord(6));
    EXPECT_EQ(folder_.Read("cpp.tpl"), SampleFile("cpp.tpl")) << "hidden entries are saved too";
    // The first match, a3, was selected: fifth of "HTML" in the real order.
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 2);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 4);
}

}  // namespace
}  // namespace tarvel::uitest
