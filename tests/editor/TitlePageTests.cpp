// The title page: every change of title, shortcut or description goes into
// the selected entry, relabels it and enables Apply; spaces and colons are
// refused where the template format cannot hold them.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/ScreenCapture.h"
#include "tests/editor/TemplateText.h"

#include <vector>

namespace tarvel::uitest {
namespace {

using TitlePage = EditorTest;
using Selection = std::pair<DWORD, DWORD>;

constexpr char kForLoopCode[] = "for (int i = 0; i < n; ++i) {\n    $end$\n}";
constexpr char kClassCode[] = "class $Name$ {\n};";

TEST_F(TitlePage, EachFieldGoesIntoTheEntryRelabelsItAndEnablesApply) {
    WriteSampleTemplates();
    const auto editAndLook = [](EditorWindow& window, int field, const std::string& text, const std::string& label) {
        window.ReplaceText(field, text);
        EXPECT_EQ(window.Label(window.SelectedItem()), label);
        EXPECT_TRUE(window.IsEnabled(IDC_APPLY));
        window.SendCommand(IDC_APPLY);
    };
    DialogScript script;
    script
        .Do("select the class entry",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 1));
                EXPECT_FALSE(window.IsEnabled(IDC_APPLY));
            })
        .Do("edit the title", [&](EditorWindow& window) { editAndLook(window, IDC_TITLE, "  new title ", "cls"); })
        .Do("edit the shortcut", [&](EditorWindow& window) { editAndLook(window, IDC_SHORTCUT, "klass", "klass"); })
        .Do("edit the description",
            [&](EditorWindow& window) { editAndLook(window, IDC_DESCRIPTION, "line one\r\nline two  ", "klass"); })
        .Do("edit the title of an entry without shortcut",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 2));
                editAndLook(window, IDC_TITLE, "file top", "file top");
            })
        .Do("show the class entry again",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 1));
                // The stored values are trimmed; showing the entry puts them back.
                EXPECT_EQ(window.Text(IDC_TITLE), "new title");
                EXPECT_EQ(window.Text(IDC_SHORTCUT), "klass");
                EXPECT_EQ(window.Text(IDC_DESCRIPTION), "line one\r\nline two");
            })
        .Do("look at the labels",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                window.Focus(IDC_EXPANSION_TREE);
                EXPECT_GT(RedPixelsOf(window, window.Child("C++", 1)), 0);
                EXPECT_EQ(RedPixelsOf(window, window.Root("C++")) + RedPixelsOf(window, window.Root("HTML")), 0);
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("for loop", "fori", kForLoopCode, "A counting loop.") +
                                           TemplateRecord("new title", "klass", kClassCode, "line one\nline two") +
                                           TemplateRecord("file top", "", "// $FILE$"));
}

TEST_F(TitlePage, ShowingEntriesMarksNothing) {
    WriteSampleTemplates();
    const auto before = FilesOnDisk();
    std::vector<bool> applyEnabled;
    DialogScript script;
    script
        .Do("select one entry after another",
            [&](EditorWindow& window) {
                for (const char* root : {"C++", "HTML", "VB"}) {
                    for (HTREEITEM item : window.Children(window.Root(root))) {
                        window.Select(item);
                        applyEnabled.push_back(window.IsEnabled(IDC_APPLY));
                    }
                }
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(applyEnabled, std::vector<bool>(11, false));
    EXPECT_EQ(FilesOnDisk(), before);
}

// Showing an entry never changes it: a description with white space at its
// ends, a title and a shortcut holding a NUL byte (which a field cuts) are
// saved as they were read after browsing them and pressing OK, and the entry
// does not count as modified.
TEST_F(TitlePage, ShowingAnEntryLeavesItAsItWasRead) {
    constexpr char kCode[] = "int x;";
    const std::string withNul("ti\0tle", 6);
    const std::string shortcutWithNul("s\0c", 3);
    const std::string original = TemplateRecord("padded", "pad", kCode, "   text") +
                                 TemplateRecord(withNul, shortcutWithNul, kCode, "nul") +
                                 TemplateRecord("plain", "pl", kCode, "other");
    folder_.Write("cpp.tpl", original);
    struct Seen {
        std::string shownDescription;
        std::string shownAgain;
        bool applyAfterShowing = true;
        int redOfShown = -1;
    } seen;
    DialogScript script;
    script
        .Do("show the padded entry",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                seen.shownDescription = window.Text(IDC_DESCRIPTION);
                seen.applyAfterShowing = window.IsEnabled(IDC_APPLY);
            })
        .Do("show the entry with NUL bytes", [&](EditorWindow& window) { window.Select(window.Child("C++", 1)); })
        .Do("look at the padded entry's label from the last entry",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 2));
                window.Focus(IDC_EXPANSION_TREE);
                seen.redOfShown = RedPixelsOf(window, window.Child("C++", 0));
            })
        .Do("show the padded entry again",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                seen.shownAgain = window.Text(IDC_DESCRIPTION);
                seen.applyAfterShowing = seen.applyAfterShowing || window.IsEnabled(IDC_APPLY);
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);

    // The field shows the description as the file holds it, without a line
    // break after it.
    EXPECT_EQ(seen.shownDescription, "   text");
    EXPECT_EQ(seen.shownAgain, seen.shownDescription);
    EXPECT_FALSE(seen.applyAfterShowing);
    EXPECT_EQ(seen.redOfShown, 0);
    EXPECT_EQ(folder_.Read("cpp.tpl"), original);
}

TEST_F(TitlePage, WithARootSelectedTheFieldsAreEmptyAndDisabled) {
    WriteSampleTemplates();
    std::vector<std::string> textsOnRoot;
    std::vector<bool> enabledOnRoot, enabledOnEntry;
    bool applyAfterTypingOnRoot = true;
    DialogScript script;
    script
        .Do("select an entry, then its root",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                window.Select(window.Root("C++"));
                for (int field : {IDC_TITLE, IDC_SHORTCUT, IDC_DESCRIPTION}) {
                    textsOnRoot.push_back(window.Text(field));
                    enabledOnRoot.push_back(window.IsEnabled(field));
                }
                window.SetText(IDC_TITLE, "typed on a root");
                applyAfterTypingOnRoot = window.IsEnabled(IDC_APPLY);
            })
        .Do("select an entry again",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 1));
                for (int field : {IDC_TITLE, IDC_SHORTCUT, IDC_DESCRIPTION}) {
                    enabledOnEntry.push_back(window.IsEnabled(field));
                }
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(textsOnRoot, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(enabledOnRoot, (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(applyAfterTypingOnRoot);
    EXPECT_EQ(enabledOnEntry, (std::vector<bool>{true, true, true}));
}

TEST_F(TitlePage, ASpaceInTheShortcutIsRefusedAndRemoved) {
    WriteSampleTemplates();
    struct Seen {
        std::string labelWhenCleared;
        size_t boxesAfterAb = 99;
        std::string textAfterSpace;
        Selection selectionAfterSpace;
        std::string labelAfterSpace;
        std::string textAfterC;
        std::string labelAfterC;
        std::string textAfterPaste;
        std::string labelAfterPaste;
    } seen;
    DialogScript script;
    script
        .Do("clear the shortcut",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 1));
                window.SetText(IDC_SHORTCUT, "");
                seen.labelWhenCleared = window.Label(window.SelectedItem());
                window.Focus(IDC_SHORTCUT);
                window.PostChar('a');
            })
        .Do("type b", [](EditorWindow& window) { window.PostChar('b'); })
        .Do("type a space",
            [&](EditorWindow& window) {
                seen.boxesAfterAb = script.Boxes().Boxes().size();
                window.PostChar(' ');
            })
        .Do("look and type c",
            [&](EditorWindow& window) {
                seen.textAfterSpace = window.Text(IDC_SHORTCUT);
                seen.selectionAfterSpace = window.Selection(IDC_SHORTCUT);
                seen.labelAfterSpace = window.Label(window.SelectedItem());
                window.PostChar('c');
            })
        .Do("paste a text with spaces",
            [&](EditorWindow& window) {
                seen.textAfterC = window.Text(IDC_SHORTCUT);
                seen.labelAfterC = window.Label(window.SelectedItem());
                window.SetText(IDC_SHORTCUT, "x y z");
                seen.textAfterPaste = window.Text(IDC_SHORTCUT);
                seen.labelAfterPaste = window.Label(window.SelectedItem());
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);

    EXPECT_EQ(seen.labelWhenCleared, "class declaration");
    EXPECT_EQ(seen.boxesAfterAb, 0u);
    EXPECT_EQ(seen.textAfterSpace, "ab");
    EXPECT_EQ(seen.selectionAfterSpace, (Selection{0, 2}));
    EXPECT_EQ(seen.labelAfterSpace, "ab");
    EXPECT_EQ(seen.textAfterC, "c");
    EXPECT_EQ(seen.labelAfterC, "c");
    EXPECT_EQ(seen.textAfterPaste, "xyz");
    EXPECT_EQ(seen.labelAfterPaste, "xyz");
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, texts::kErrorCaption);
        EXPECT_EQ(box.text, texts::kSpacesInShortcut);
    }
    EXPECT_NE(folder_.Read("cpp.tpl").value_or("").find("a:class declaration:xyz:\r\n"), std::string::npos);
}

TEST_F(TitlePage, ColonsAreRefusedInTitleAndShortcut) {
    WriteSampleTemplates();
    struct Seen {
        std::string title;
        Selection titleSelection;
        std::string labelAfterTitle;
        std::string shortcut;
        std::string labelAfterShortcut;
    } seen;
    DialogScript script;
    script
        .Do("put colons into the title",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 1));
                window.SetText(IDC_TITLE, "a:b:c");
                seen.title = window.Text(IDC_TITLE);
                seen.titleSelection = window.Selection(IDC_TITLE);
                seen.labelAfterTitle = window.Label(window.SelectedItem());
            })
        .Do("put a colon into the shortcut",
            [&](EditorWindow& window) {
                window.SetText(IDC_SHORTCUT, "s:t");
                seen.shortcut = window.Text(IDC_SHORTCUT);
                seen.labelAfterShortcut = window.Label(window.SelectedItem());
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);

    EXPECT_EQ(seen.title, "abc");
    EXPECT_EQ(seen.titleSelection, (Selection{0, 3}));
    EXPECT_EQ(seen.labelAfterTitle, "cls");
    EXPECT_EQ(seen.shortcut, "st");
    EXPECT_EQ(seen.labelAfterShortcut, "st");
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, texts::kColonsInTitle);
    EXPECT_EQ(boxes[1].text, texts::kColonsInShortcut);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, texts::kErrorCaption);
    }
    EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("for loop", "fori", kForLoopCode, "A counting loop.") +
                                           TemplateRecord("abc", "st", kClassCode) +
                                           TemplateRecord("file header", "", "// $FILE$"));
}

}  // namespace
}  // namespace tarvel::uitest
