// How the editor's closing buttons reach the template files, and how it
// reads a directory whose files are missing, unreadable or misnamed.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/EditorHost.h"
#include "tests/editor/TemplateText.h"
#include "tests/editor/WindowCreationVeto.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "Scintilla.h"

namespace tarvel::uitest {
namespace {

constexpr char kLfOnlyCpp[] = "a:for loop:fori:\nfor (;;) {\n}\f\n";
constexpr char kCanonicalCpp[] = "a:for loop:fori:\r\nfor (;;) {\r\n}\f\r\n";

std::vector<std::string> AllTemplateFiles() { return {std::begin(kTemplateFiles), std::end(kTemplateFiles)}; }

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

class EditorSaving : public EditorTest {
protected:
    // Two of the eight files, one of them with LF-only line ends.
    void WritePartialTemplates() const {
        folder_.Write("cpp.tpl", kLfOnlyCpp);
        folder_.Write("html.tpl", SampleFile("html.tpl"));
    }
};

void RenameFirstCppEntry(EditorWindow& window, const std::string& title) {
    window.Select(window.Child("C++", 0));
    window.SetText(IDC_TITLE, title);
}

TEST_F(EditorSaving, OkRewritesAllEightTemplateFilesAndReturnsOne) {
    WritePartialTemplates();
    DialogScript script;
    script.Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);

    EXPECT_EQ(folder_.Names(), Sorted(AllTemplateFiles()));
    EXPECT_EQ(folder_.Read("cpp.tpl"), std::optional<std::string>(kCanonicalCpp));
    EXPECT_EQ(folder_.Read("html.tpl"), SampleFile("html.tpl"));
    for (const char* missing : {"cs.tpl", "java.tpl", "js.tpl", "perl.tpl", "txt.tpl", "vb.tpl"}) {
        EXPECT_EQ(folder_.Read(missing), std::optional<std::string>("")) << missing;
    }
}

TEST_F(EditorSaving, CancelReturnsTwoAndWritesNothing) {
    WritePartialTemplates();
    const auto before = FilesOnDisk();
    DialogScript script;
    script.Do("rename an entry", [](EditorWindow& window) { RenameFirstCppEntry(window, "renamed"); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(FilesOnDisk(), before);
}

TEST_F(EditorSaving, CancelAfterApplyReturnsTwoWithTheAppliedStateOnDisk) {
    WriteSampleTemplates();
    bool applyEnabledByEdit = false;
    bool applyEnabledAfterApply = true;
    DialogScript script;
    script
        .Do("rename and apply",
            [&](EditorWindow& window) {
                RenameFirstCppEntry(window, "applied title");
                applyEnabledByEdit = window.IsEnabled(IDC_APPLY);
                window.SendCommand(IDC_APPLY);
                applyEnabledAfterApply = window.IsEnabled(IDC_APPLY);
            })
        .Do("rename again", [](EditorWindow& window) { window.SetText(IDC_TITLE, "dropped title"); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(applyEnabledByEdit);
    EXPECT_FALSE(applyEnabledAfterApply);
    const std::string expectedCpp =
        TemplateRecord("applied title", "fori", "for (int i = 0; i < n; ++i) {\n    $end$\n}", "A counting loop.") +
        TemplateRecord("class declaration", "cls", "class $Name$ {\n};") +
        TemplateRecord("file header", "", "// $FILE$");
    EXPECT_EQ(folder_.Read("cpp.tpl"), expectedCpp);
    EXPECT_EQ(folder_.Read("html.tpl"), SampleFile("html.tpl"));
}

std::string CodeEditorText(const EditorWindow& window) {
    HWND editor = window.ControlOfClass("Scintilla");
    const auto length = static_cast<size_t>(::SendMessageA(editor, SCI_GETLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    ::SendMessageA(editor, SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

// Every entry of every language as "root|title|shortcut|description|code",
// each selected and read off the pages.
std::vector<std::string> EveryEntry(EditorWindow& window) {
    std::vector<std::string> entries;
    for (HTREEITEM root : window.Roots()) {
        for (HTREEITEM item : window.Children(root)) {
            window.Select(item);
            entries.push_back(window.Label(root) + "|" + window.Text(IDC_TITLE) + "|" + window.Text(IDC_SHORTCUT) +
                              "|" + window.Text(IDC_DESCRIPTION) + "|" + CodeEditorText(window));
        }
    }
    return entries;
}

// A template file ends an entry at a form feed, as C headers hold them
// between sections: pasted into a field or the code and saved, the rest of
// the entry would come back as entries of its own.
TEST_F(EditorSaving, FormFeedsPastedIntoAnyFieldAreDroppedSoEveryEntryReadsBackWhole) {
    constexpr int kCode = 0;
    const std::string header =
        "/* The syntax bits in use.  */\r\nextern unsigned long syntax_options;\r\n\f\r\n#ifdef USE_EXTENSIONS\r\n"
        "# define SYNTAX_PLAIN 0\r\n#endif";
    const std::string headerKept =
        "/* The syntax bits in use.  */\r\nextern unsigned long syntax_options;\r\n\r\n#ifdef USE_EXTENSIONS\r\n"
        "# define SYNTAX_PLAIN 0\r\n#endif";
    const struct Paste {
        int field;
        std::string text;
    } pastes[] = {{IDC_TITLE, "form\ffeed"},
                  {IDC_SHORTCUT, "ff\fkey"},
                  {IDC_DESCRIPTION, "Page one\r\n\f\r\nPage two"},
                  {kCode, header}};
    folder_.Write("cpp.tpl", TemplateRecord("for loop", "fori", "for (;;) {\n}", "A loop.") +
                                 TemplateRecord("class declaration", "cls", "class $Name$ {\n};"));
    folder_.Write("txt.tpl", TemplateRecord("signature", "sig", "Regards", "Closing words."));
    std::vector<std::string> tips;
    DialogScript edit;
    edit.Do("select the first entry", [](EditorWindow& window) { window.Select(window.Child("C++", 0)); });
    for (const Paste& paste : pastes) {
        edit.Do("paste into field " + std::to_string(paste.field), [&tips, paste](EditorWindow& window) {
            PutOnClipboard(paste.text);
            HWND target = paste.field == kCode ? window.ControlOfClass("Scintilla") : window.Control(paste.field);
            ASSERT_NE(target, nullptr);
            ::SetFocus(target);
            ::SendMessageA(target, paste.field == kCode ? SCI_SELECTALL : EM_SETSEL, 0, -1);
            ::SendMessageA(target, WM_PASTE, 0, 0);
            tips.push_back(window.Text(IDC_TIP_LINE));
            window.SetText(IDC_TIP_LINE, "");
        });
    }
    edit.Do("press OK", PressOk);
    ASSERT_EQ(OpenEditor(edit), IDOK);

    std::vector<std::string> entries;
    DialogScript reopen;
    reopen.Do("read every entry", [&](EditorWindow& window) { entries = EveryEntry(window); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(reopen), IDCANCEL);
    EXPECT_EQ(tips, std::vector<std::string>(std::size(pastes), texts::kFormFeedsRemoved));
    const std::vector<std::string> expected = {"C++|formfeed|ffkey|Page one\r\n\r\nPage two|" + headerKept,
                                               "C++|class declaration|cls||class $Name$ {\r\n};",
                                               "Text|signature|sig|Closing words.|Regards"};
    EXPECT_EQ(entries, expected);
}

// One stray Escape must not drop a session's edits: every way of cancelling
// asks while anything is unsaved, No keeps the editor as it was.
TEST_F(EditorSaving, CancelAsksBeforeDroppingUnsavedChanges) {
    WriteSampleTemplates();
    const struct Way {
        const char* name;
        std::function<void(EditorWindow&)> press;
    } ways[] = {
        {"the Cancel button", PressCancel},
        {"Escape in the tree",
         [](EditorWindow& window) {
             window.Focus(IDC_EXPANSION_TREE);
             window.PostKeyDown(VK_ESCAPE);
         }},
        {"Escape in the code editor",
         [](EditorWindow& window) {
             ::SetFocus(window.ControlOfClass("Scintilla"));
             window.PostKeyDown(VK_ESCAPE);
         }},
        {"Alt+C in the description",
         [](EditorWindow& window) {
             window.Focus(IDC_DESCRIPTION);
             window.PostAltKey('C');
         }},
        {"a close request", [](EditorWindow& window) { ::PostMessageA(window.Handle(), WM_CLOSE, 0, 0); }},
    };
    std::vector<std::string> lost;
    DialogScript script;
    script.Do("edit an entry", [](EditorWindow& window) {
        window.Select(window.Child("C++", 0));
        window.ReplaceText(IDC_TITLE, "kept edit");
    });
    for (const Way& way : ways) {
        script
            .Do(std::string("answer No to ") + way.name,
                [&, way](EditorWindow& window) {
                    script.Boxes().QueueAnswer(IDNO);
                    way.press(window);
                })
            .Do(std::string("look after ") + way.name, [&, way](EditorWindow& window) {
                if (window.Text(IDC_TITLE) != "kept edit") {
                    lost.push_back(way.name);
                }
            });
    }
    script
        .Do("apply, then delete an entry",
            [](EditorWindow& window) {
                window.SendCommand(IDC_APPLY);
                window.Select(window.Child("C++", 1));
                window.Focus(IDC_EXPANSION_TREE);
                window.PostKeyDown(VK_DELETE);
            })
        .Do("answer Yes to Escape", [&](EditorWindow& window) {
            script.Boxes().QueueAnswer(IDYES);
            window.PostKeyDown(VK_ESCAPE);
        });
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(lost, std::vector<std::string>{});
    std::vector<std::string> shown;
    for (const auto& box : script.Boxes().Boxes()) {
        shown.push_back(box.caption + ": " + box.text + " (" + box.icon + ")");
    }
    const std::string discard = std::string(texts::kEditorCaption) + ": " + texts::kDiscardQuestion + " (exclamation)";
    std::vector<std::string> expected(std::size(ways), discard);
    expected.push_back("Are you sure?: Are you sure you want to delete this item? (exclamation)");
    expected.push_back(discard);
    EXPECT_EQ(shown, expected);
    const std::string cpp = folder_.Read("cpp.tpl").value_or("");
    EXPECT_NE(cpp.find("a:kept edit:fori:"), std::string::npos) << "applied";
    EXPECT_NE(cpp.find("a:class declaration:cls:"), std::string::npos) << "the deletion was dropped";

    DialogScript unchanged;
    unchanged.Do("look at entries", [](EditorWindow& window) { window.Select(window.Child("HTML", 3)); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(unchanged), IDCANCEL);
    EXPECT_TRUE(unchanged.Boxes().Boxes().empty()) << "nothing to ask about";
}

TEST_F(EditorSaving, EachCallStartsFromTheFilesOnDisk) {
    WriteSampleTemplates();
    DialogScript first;
    first.Do("rename an entry", [](EditorWindow& window) { RenameFirstCppEntry(window, "unsaved"); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(first), IDCANCEL);

    std::vector<std::string> labels;
    std::string title;
    DialogScript second;
    second
        .Do("read the entries",
            [&](EditorWindow& window) {
                labels = window.Labels(window.Children(window.Root("C++")));
                window.Select(window.Child("C++", 0));
                title = window.Text(IDC_TITLE);
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(second), IDCANCEL);
    EXPECT_EQ(labels, (std::vector<std::string>{"fori", "cls", "file header"}));
    EXPECT_EQ(title, "for loop");
}

// Should a second editor open on top of the first, a timer inside its loop
// cancels it, so that a failing test does not hang.
HWND firstEditor = nullptr;

BOOL CALLBACK CancelOtherEditor(HWND hwnd, LPARAM) {
    char caption[32] = {};
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    if (hwnd != firstEditor && ::IsWindowVisible(hwnd) && ::lstrcmpA(caption, DialogScript::kEditorCaption) == 0) {
        ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return TRUE;
}

void CALLBACK CancelSecondEditor(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelOtherEditor, 0);
}

// A host may call the export again from inside the editor's loop (from a
// timer of its own, say): that call is refused, and the editor that runs
// keeps every edit.
TEST_F(EditorSaving, ASecondCallWhileTheEditorRunsIsRefused) {
    WriteSampleTemplates();
    int secondResult = 0;
    DialogScript script;
    script
        .Do("call the export again",
            [&](EditorWindow& window) {
                firstEditor = window.Handle();
                const UINT_PTR closer = ::SetTimer(nullptr, 0, 200, CancelSecondEditor);
                secondResult = EditorHost::ShowAutotextEditor(folder_.Path());
                ::KillTimer(nullptr, closer);
            })
        .Do("rename an entry", [](EditorWindow& window) { RenameFirstCppEntry(window, "renamed"); })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    firstEditor = nullptr;
    EXPECT_EQ(secondResult, -1);
    const auto cpp = folder_.Read("cpp.tpl");
    ASSERT_TRUE(cpp.has_value());
    EXPECT_EQ(
        cpp->rfind(TemplateRecord("renamed", "fori", "for (int i = 0; i < n; ++i) {\n    $end$\n}", "A counting loop."),
                   0),
        0u);
}

// A host that passes the handle of a window it has already destroyed gets the
// editor without an owner, as for a null handle, instead of no editor.
TEST_F(EditorSaving, AParentThatIsNoLongerAWindowGivesAnEditorWithoutOwner) {
    WriteSampleTemplates();
    HWND gone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    ::DestroyWindow(gone);
    HWND owner = gone;
    DialogScript script;
    script.Do("look at the owner", [&](EditorWindow& window) { owner = ::GetWindow(window.Handle(), GW_OWNER); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(script.Run([&] { return EditorHost::ShowAutotextEditor(folder_.Path(), gone); }), IDCANCEL);
    EXPECT_EQ(owner, nullptr);
}

TEST_F(EditorSaving, MissingTemplateFilesGiveEmptyRootsWithoutAMessage) {
    std::vector<std::string> roots;
    UINT items = 0;
    bool cppRootSelected = false;
    bool titleEnabled = true;
    DialogScript script;
    script
        .Do("read the tree",
            [&](EditorWindow& window) {
                roots = window.Labels(window.Roots());
                items = window.ItemCount();
                cppRootSelected = window.SelectedItem() == window.Root("C++");
                titleEnabled = window.IsEnabled(IDC_TITLE);
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(roots, (std::vector<std::string>{std::begin(kRootLabels), std::end(kRootLabels)}));
    EXPECT_EQ(items, 8u);
    EXPECT_TRUE(cppRootSelected);
    EXPECT_FALSE(titleEnabled);
    EXPECT_TRUE(script.Boxes().Boxes().empty());
    EXPECT_TRUE(folder_.Names().empty());
}

TEST_F(EditorSaving, AnUnreadableTemplateFileIsReportedAndTheEditorStillOpens) {
    WriteSampleTemplates();
    ::DeleteFileA((folder_.Path() + "cpp.tpl").c_str());
    folder_.MakeDirectory("cpp.tpl");
    size_t cppEntries = 99;
    std::vector<std::string> csLabels;
    DialogScript script;
    script
        .Do("read the tree",
            [&](EditorWindow& window) {
                cppEntries = window.Children(window.Root("C++")).size();
                csLabels = window.Labels(window.Children(window.Root("C#")));
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(cppEntries, 0u);
    EXPECT_EQ(csLabels, std::vector<std::string>{"prop"});
    // Once when the format is detected, once when the reader tries again.
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, texts::kEditorCaption);
        EXPECT_EQ(box.text.rfind(std::string(texts::kFileOpenFailed) + folder_.Path() + "cpp.tpl\n", 0), 0u)
            << box.text;
    }
}

TEST_F(EditorSaving, ADirectoryWithoutItsSeparatorReadsNothingAndSavesBesideIt) {
    folder_.MakeDirectory("D");
    folder_.Write("D\\cpp.tpl", SampleFile("cpp.tpl"));
    UINT items = 0;
    DialogScript script;
    script.Do("count the items", [&](EditorWindow& window) { items = window.ItemCount(); }).Do("press OK", PressOk);
    EXPECT_EQ(OpenEditorOn(script, folder_.Path() + "D"), IDOK);
    EXPECT_EQ(items, 8u);
    std::vector<std::string> expected{"D"};
    for (const char* file : kTemplateFiles) {
        expected.push_back(std::string("D") + file);
        EXPECT_EQ(folder_.Read(std::string("D") + file), std::optional<std::string>("")) << file;
    }
    EXPECT_EQ(folder_.Names(), Sorted(expected));
    EXPECT_EQ(folder_.Read("D\\cpp.tpl"), SampleFile("cpp.tpl"));
}

TEST_F(EditorSaving, WithoutItsToolbarTheEditorShowsNoRootsAndNeverWrites) {
    WriteSampleTemplates();
    const auto before = FilesOnDisk();
    WindowCreationVeto veto("ToolbarWindow32");
    UINT items = 99;
    bool hasToolbar = true;
    DialogScript script;
    script
        .Do("read the tree and apply",
            [&](EditorWindow& window) {
                items = window.ItemCount();
                hasToolbar = window.Toolbar() != nullptr;
                // Alt+A sends Apply whatever the button's state.
                window.SendCommand(IDC_APPLY);
                window.SendCommand(ID_ENTRY_SAVE);
            })
        .Do("press OK", PressOk);
    const int result = OpenEditor(script);
    EXPECT_EQ(result, IDOK);
    EXPECT_GE(veto.Refused(), 1);
    EXPECT_EQ(items, 0u);
    EXPECT_FALSE(hasToolbar);
    EXPECT_EQ(FilesOnDisk(), before);
}

}  // namespace
}  // namespace tarvel::uitest
