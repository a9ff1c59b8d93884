// The entry commands from the toolbar, the keys and the tree's right-click
// menu: New, Duplicate with its naming, Delete with its question and
// refusals, Save; what they leave in the template files and the restore point.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateText.h"
#include "tests/editor/XPointer.h"

#include <ostream>
#include <vector>

namespace tarvel::uitest {
namespace {

using EntryCommands = EditorTest;
using Labels = std::vector<std::string>;

constexpr char kForLoopCode[] = "for (int i = 0; i < n; ++i) {\n    $end$\n}";

void FocusTree(EditorWindow& window) { window.Focus(IDC_EXPANSION_TREE); }

void SelectInFocusedTree(EditorWindow& window, HTREEITEM item) {
    window.Select(item);
    FocusTree(window);
}

std::string ClipboardText() {
    std::string text;
    if (!::OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

TEST_F(EntryCommands, NewGoesAfterAnEntryOrLastUnderARootAndIsFoundAgain) {
    WriteSampleTemplates();
    DialogScript script;
    script
        .Do("New after the first C++ entry",
            [](EditorWindow& window) {
                SelectInFocusedTree(window, window.Child("C++", 0));
                window.SendCommand(ID_ENTRY_NEW);
            })
        .Do("look at the new entry",
            [](EditorWindow& window) {
                EXPECT_EQ(window.Labels(window.Children(window.Root("C++"))),
                          (Labels{"fori", "Untitled", "cls", "file header"}));
                EXPECT_EQ(window.Text(IDC_TITLE), "Untitled");
                EXPECT_EQ(window.FocusedControlId(), IDC_TITLE) << "typing names the new entry";
                EXPECT_EQ(window.Selection(IDC_TITLE), (std::pair<DWORD, DWORD>{0, 8}));
                EXPECT_TRUE(window.IsEnabled(IDC_APPLY));
            })
        .Do("Insert twice on the Java root",
            [](EditorWindow& window) {
                SelectInFocusedTree(window, window.Root("Java"));
                window.PostKeyDown(VK_INSERT);
            })
        .Do("select the root again and press Insert",
            [](EditorWindow& window) {
                SelectInFocusedTree(window, window.Root("Java"));
                window.PostKeyDown(VK_INSERT);
            })
        .Do("look at Java",
            [](EditorWindow& window) {
                EXPECT_EQ(window.Labels(window.Children(window.Root("Java"))),
                          (Labels{"psvm", "Untitled", "Untitled"}));
                window.Focus(IDC_TITLE);
                // Both new entries are marked.
                EXPECT_GT(RedPixelsOf(window, window.Child("Java", 1)), 0);
                EXPECT_GT(RedPixelsOf(window, window.Child("Java", 2)), 0);
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(folder_.Read("java.tpl"),
              SampleFile("java.tpl") + TemplateRecord("Untitled", "", "") + TemplateRecord("Untitled", "", ""));
    // The last new entry was selected: third of "Java".
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 3);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 2);
}

TEST_F(EntryCommands, DuplicateNamesTheCopyAfterTitleAndShortcut) {
    struct Row {
        std::string title, shortcut;
        std::string copyLabel, copyTitle, copyShortcut;
    };
    const Row rows[] = {{"for loop", "for", "Copy of for loop", "for loop", "Copy_of_for"},
                        {"header", "", "Copy of header", "Copy of header", ""},
                        {"", "sc", "Copy_of_sc", "", "Copy_of_sc"},
                        {"", "", "Copy_of_", "Copy_of_", "Copy_of_"}};
    std::string file;
    std::string expected;
    for (const Row& row : rows) {
        file += TemplateRecord(row.title, row.shortcut, "code of " + row.title + row.shortcut, "about it");
        expected += TemplateRecord(row.title, row.shortcut, "code of " + row.title + row.shortcut, "about it") +
                    TemplateRecord(row.copyTitle, row.copyShortcut, "code of " + row.title + row.shortcut, "about it");
    }
    folder_.Write("cpp.tpl", file);
    Labels labels;
    std::string relabelled;
    DialogScript script;
    // The original of each row is the item two places further on.
    for (size_t row = 0; row < std::size(rows); ++row) {
        script.Do("duplicate row " + std::to_string(row), [row](EditorWindow& window) {
            SelectInFocusedTree(window, window.Child("C++", 2 * row));
            window.SendCommand(ID_ENTRY_DUPLICATE);
        });
    }
    script
        .Do("read the labels, then edit the first copy's title",
            [&](EditorWindow& window) {
                labels = window.Labels(window.Children(window.Root("C++")));
                window.Select(window.Child("C++", 1));
                window.ReplaceText(IDC_TITLE, "for loop");
                relabelled = window.Label(window.Child("C++", 1));
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(labels,
              (Labels{"for", "Copy of for loop", "header", "Copy of header", "sc", "Copy_of_sc", "", "Copy_of_"}));
    EXPECT_EQ(relabelled, "Copy_of_for") << "an edit gives the copy its ordinary label";
    EXPECT_EQ(folder_.Read("cpp.tpl"), expected);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 0);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 1) << "the copy is found again";
}

// Apply shows whether anything is unsaved: a refusal or a cancelled question
// leaves it as it was.
TEST_F(EntryCommands, DeleteAsksRefusesRootsAndEnablesApplyOnlyWhenItDeletes) {
    WriteSampleTemplates();
    struct Attempt {
        const char* name;
        bool onRoot;
        bool byKey;
        int answer;
    };
    const Attempt attempts[] = {{"toolbar on a root", true, false, IDOK},
                                {"key on a root", true, true, IDOK},
                                {"key answered Cancel", false, true, IDCANCEL},
                                {"toolbar answered OK", false, false, IDOK}};
    std::vector<std::string> applyEnabled;
    Labels cpp;
    DialogScript script;
    for (const Attempt& attempt : attempts) {
        script
            .Do(std::string("apply, then delete by ") + attempt.name,
                [&, attempt](EditorWindow& window) {
                    window.SendCommand(IDC_APPLY);
                    SelectInFocusedTree(window, attempt.onRoot ? window.Root("C++") : window.Child("C++", 1));
                    script.Boxes().QueueAnswer(attempt.answer);
                    if (attempt.byKey) {
                        window.PostKeyDown(VK_DELETE);
                    } else {
                        window.PostCommand(ID_ENTRY_DELETE);
                    }
                })
            .Do("look at Apply", [&, attempt](EditorWindow& window) {
                if (window.IsEnabled(IDC_APPLY)) {
                    applyEnabled.push_back(attempt.name);
                }
            });
    }
    script
        .Do("read the entries", [&](EditorWindow& window) { cpp = window.Labels(window.Children(window.Root("C++"))); })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(applyEnabled, std::vector<std::string>{"toolbar answered OK"});
    EXPECT_EQ(cpp, (Labels{"fori", "file header"}));
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    const std::vector<std::vector<std::string>> shown = {{boxes[0].caption, boxes[0].text, boxes[0].icon},
                                                         {boxes[1].caption, boxes[1].text, boxes[1].icon},
                                                         {boxes[2].caption, boxes[2].text, boxes[2].icon},
                                                         {boxes[3].caption, boxes[3].text, boxes[3].icon}};
    const std::vector<std::vector<std::string>> expected = {
        {texts::kEditorCaption, "You cannot delete a root item.", "stop"},
        {texts::kErrorCaption, "You cannot delete root items.", "stop"},
        {"Are you sure?", "Are you sure you want to delete this item?", "exclamation"},
        {"Are you sure?", "Are you sure you want to delete this item?", "exclamation"}};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("for loop", "fori", kForLoopCode, "A counting loop.") +
                                           TemplateRecord("file header", "", "// $FILE$"));
}

TEST_F(EntryCommands, DuplicateRefusesARoot) {
    WriteSampleTemplates();
    const auto before = EditorTest::SampleFile("cpp.tpl");
    bool applyEnabled = true;
    DialogScript script;
    script
        .Do("duplicate the C++ root",
            [](EditorWindow& window) {
                SelectInFocusedTree(window, window.Root("C++"));
                window.PostCommand(ID_ENTRY_DUPLICATE);
            })
        .Do("look at Apply", [&](EditorWindow& window) { applyEnabled = window.IsEnabled(IDC_APPLY); })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_FALSE(applyEnabled) << "nothing changed";
    ASSERT_EQ(script.Boxes().Boxes().size(), 1u);
    const auto& box = script.Boxes().Boxes()[0];
    EXPECT_EQ(std::vector<std::string>({box.caption, box.text, box.icon}),
              std::vector<std::string>({texts::kEditorCaption, "You cannot duplicate a root item.", "stop"}));
    EXPECT_EQ(folder_.Read("cpp.tpl"), before);
}

// Ctrl+C duplicates in the tree and copies text everywhere else.
TEST_F(EntryCommands, CtrlCDuplicatesInTheTreeAndCopiesInTheFields) {
    WriteSampleTemplates();
    std::string copiedFromTitle;
    std::string copiedFromCode = "no code editor";
    UINT itemsAfterCopies = 0;
    UINT itemsAfterTreeCopy = 0;
    UINT itemsBefore = 0;
    DialogScript script;
    script
        .Do("select the title and press Ctrl+C",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                itemsBefore = window.ItemCount();
                PutOnClipboard("before");
                window.Focus(IDC_TITLE);
                ::SendMessageA(window.Control(IDC_TITLE), EM_SETSEL, 0, -1);
                HoldControl(true);
                window.PostKeyDown('C');
            })
        .Do("read the clipboard, then Ctrl+C in the code editor",
            [&](EditorWindow& window) {
                copiedFromTitle = ClipboardText();
                if (HWND code = window.ControlOfClass("Scintilla")) {
                    PutOnClipboard("before");
                    ::SetFocus(code);
                    ::SendMessageA(code, 2013 /* SCI_SELECTALL */, 0, 0);
                    window.PostKeyDown('C');
                }
            })
        .Do("read the clipboard, then Ctrl+C in the tree",
            [&](EditorWindow& window) {
                if (window.ControlOfClass("Scintilla") != nullptr) {
                    copiedFromCode = ClipboardText();
                }
                itemsAfterCopies = window.ItemCount();
                FocusTree(window);
                window.PostKeyDown('C');
            })
        .Do("count the items",
            [&](EditorWindow& window) {
                HoldControl(false);
                itemsAfterTreeCopy = window.ItemCount();
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    HoldControl(false);
    EXPECT_EQ(copiedFromTitle, "for loop");
    if (copiedFromCode != "no code editor") {
        EXPECT_EQ(copiedFromCode, "for (int i = 0; i < n; ++i) {\r\n    $end$\r\n}");
    }
    EXPECT_EQ(itemsAfterCopies, itemsBefore) << "copying text duplicates nothing";
    EXPECT_EQ(itemsAfterTreeCopy, itemsBefore + 1);
}

TEST_F(EntryCommands, SaveLeavesApplyEnabledAndApplyDisablesIt) {
    WriteSampleTemplates();
    bool enabledAfterSave = false;
    bool enabledAfterApply = true;
    std::string savedBySave;
    DialogScript script;
    script
        .Do("rename, then Save",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                window.ReplaceText(IDC_TITLE, "saved title");
                FocusTree(window);
                window.SendCommand(ID_ENTRY_SAVE);
                enabledAfterSave = window.IsEnabled(IDC_APPLY);
                savedBySave = folder_.Read("cpp.tpl").value_or("");
                window.SendCommand(IDC_APPLY);
                enabledAfterApply = window.IsEnabled(IDC_APPLY);
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(enabledAfterSave);
    EXPECT_FALSE(enabledAfterApply);
    EXPECT_NE(savedBySave.find("a:saved title:fori:"), std::string::npos);
}

// The menu of the item under the mouse, clicked with the real pointer just
// inside the bottom of its label, where a point off by the tree's border
// would fall on the next item.
POINT LowerEdgeOnScreen(const EditorWindow& window, HTREEITEM item) {
    const RECT label = window.LabelRect(item);
    POINT point{(label.left + label.right) / 2, label.bottom - 1};
    ::ClientToScreen(window.Tree(), &point);
    return point;
}

HWND OpenMenu() { return ::FindWindowA("#32768", nullptr); }

struct MenuItem {
    UINT id;
    std::string text;
    bool operator==(const MenuItem& other) const { return id == other.id && text == other.text; }
    friend std::ostream& operator<<(std::ostream& out, const MenuItem& item) {
        return out << item.id << " \"" << item.text << "\"";
    }
};

std::vector<MenuItem> MenuItems(HWND menuWindow) {
    std::vector<MenuItem> items;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back({::GetMenuItemID(menu, i), text});
    }
    return items;
}

TEST_F(EntryCommands, TheRightClickMenuActsOnTheClickedItem) {
    WriteSampleTemplates();
    std::vector<MenuItem> items;
    Labels cpp, html;
    std::string savedHtml;
    const auto restBesideTree = [](EditorWindow& window) { ASSERT_TRUE(XPointer::MoveTo(BesideTreeOnScreen(window))); };
    const auto uncovered = [](const char* root, size_t index) {
        return [root, index](EditorWindow& window) {
            return TreeIsUnder(window, LowerEdgeOnScreen(window, window.Child(root, index)));
        };
    };
    const auto rightClick = [](const char* root, size_t index) {
        return [root, index](EditorWindow& window) {
            const POINT point = LowerEdgeOnScreen(window, window.Child(root, index));
            ASSERT_TRUE(XPointer::MoveTo(point));
            ASSERT_TRUE(XPointer::Click(XPointer::kRightButton));
        };
    };
    const auto menuOpen = [](EditorWindow&) { return OpenMenu() != nullptr && ::IsWindowVisible(OpenMenu()); };
    const auto choose = [](char mnemonic) {
        return [mnemonic](EditorWindow& window) { ::PostMessageA(window.Handle(), WM_CHAR, mnemonic, 0); };
    };
    const auto menuClosed = [](EditorWindow&) { return OpenMenu() == nullptr || !::IsWindowVisible(OpenMenu()); };
    DialogScript script;
    script
        .Do("open both roots",
            [](EditorWindow& window) {
                for (const char* root : {"C++", "HTML"}) {
                    TreeView_Expand(window.Tree(), window.Root(root), TVE_EXPAND);
                }
                window.Select(window.Root("Java"));
            })
        .Do("rest beside the tree", restBesideTree)
        .WaitUntil("nothing to cover the entry", uncovered("C++", 2))
        .Do("right-click the third C++ entry", rightClick("C++", 2))
        .WaitUntil("the menu", menuOpen)
        .Do("choose New",
            [&](EditorWindow& window) {
                items = MenuItems(OpenMenu());
                choose('n')(window);
            })
        .WaitUntil("the menu to close", menuClosed)
        .Do("rest beside the tree", restBesideTree)
        .WaitUntil("nothing to cover the entry", uncovered("C++", 0))
        .Do("right-click the first C++ entry", rightClick("C++", 0))
        .WaitUntil("the menu", menuOpen)
        .Do("choose Duplicate", choose('u'))
        .WaitUntil("the menu to close", menuClosed)
        .Do("rest beside the tree", restBesideTree)
        .WaitUntil("nothing to cover the entry", uncovered("HTML", 1))
        .Do("right-click the second HTML entry", rightClick("HTML", 1))
        .WaitUntil("the menu", menuOpen)
        .Do("choose Delete", choose('d'))
        .WaitUntil("the menu to close", menuClosed)
        .Do("rest beside the tree",
            [&](EditorWindow& window) {
                cpp = window.Labels(window.Children(window.Root("C++")));
                restBesideTree(window);
            })
        .WaitUntil("nothing to cover the entry", uncovered("HTML", 0))
        .Do("right-click the first HTML entry", rightClick("HTML", 0))
        .WaitUntil("the menu", menuOpen)
        .Do("choose Save", choose('s'))
        .WaitUntil("the menu to close", menuClosed)
        .Do("look",
            [&](EditorWindow& window) {
                html = window.Labels(window.Children(window.Root("HTML")));
                savedHtml = folder_.Read("html.tpl").value_or("");
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(items, (std::vector<MenuItem>{{ID_TREE_MENU_NEW, "&New"},
                                            {ID_TREE_MENU_DUPLICATE, "D&uplicate"},
                                            {ID_TREE_MENU_SAVE, "&Save"},
                                            {0, ""},
                                            {ID_TREE_MENU_DELETE, "&Delete"}}));
    EXPECT_EQ(cpp, (Labels{"fori", "Copy of for loop", "cls", "file header", "Untitled"}));
    EXPECT_EQ(html, (Labels{"h0", "h2", "h3", "h4", "h5", "h6"}));
    ASSERT_EQ(script.Boxes().Boxes().size(), 1u) << "the deletion's question";
    EXPECT_EQ(savedHtml.find("html item 1"), std::string::npos) << "Save wrote the deletion";
}

}  // namespace
}  // namespace tarvel::uitest
