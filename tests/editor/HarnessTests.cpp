// The UI test harness driven against plain system dialogs, so that its own
// faults never pass for faults of the editor.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "host/HostPaths.h"
#include "tests/editor/DialogScript.h"
#include "tests/editor/IdleCounter.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/WindowCreationVeto.h"

#include <vector>

namespace tarvel::uitest {
namespace {

constexpr char kCaption[] = "Harness";
constexpr int kEditId = 100;

// A modal dialog of the system's dialog manager with one edit field and OK.
class PlainDialog {
public:
    PlainDialog() {
        constexpr DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE;
        Word(LOWORD(style)), Word(HIWORD(style));
        Word(0), Word(0);                         // extended style
        Word(2);                                  // controls
        Word(10), Word(10), Word(200), Word(80);  // x, y, cx, cy
        Word(0), Word(0);                         // no menu, default class
        Text(kCaption);
        Control(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 180, 14, kEditId, 0x0081);
        Control(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 70, 50, 60, 14, IDOK, 0x0080);
    }

    int Run() {
        return static_cast<int>(::DialogBoxIndirectParamA(
            ::GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE*>(words_.data()), nullptr, Procedure, 0));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return message == WM_INITDIALOG;
    }
    void Word(WORD value) { words_.push_back(value); }
    void Text(const char* text) {
        while (*text) {
            Word(static_cast<WORD>(*text++));
        }
        Word(0);
    }
    void Control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
        if (words_.size() % 2) {
            Word(0);  // DLGITEMTEMPLATE is DWORD-aligned
        }
        Word(LOWORD(style)), Word(HIWORD(style));
        Word(0), Word(0);
        Word(x), Word(y), Word(cx), Word(cy);
        Word(id);
        Word(0xFFFF), Word(atom);  // predefined class
        Word(0);                   // no text
        Word(0);                   // no creation data
    }

    std::vector<WORD> words_;
};

TEST(DialogScriptHarness, RunsStepsInsideTheModalLoopOfAMessageBox) {
    DialogScript script("Harness box");
    std::string text;
    script.Do("read the text", [&](EditorWindow& box) { text = MessageBoxAnswerer::MessageText(box.Handle()); })
        .Do("press OK", [](EditorWindow& box) { box.PostCommand(IDOK); });
    const int result = script.Run([] { return ::MessageBoxA(nullptr, "a question", "Harness box", MB_OKCANCEL); });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(script.Completed());
    EXPECT_EQ(text, "a question");
}

TEST(DialogScriptHarness, DrivesFieldsWithMessagesAndPostedCharacters) {
    PlainDialog dialog;
    DialogScript script(kCaption);
    script.Do("set a text", [](EditorWindow& window) { window.SetText(kEditId, "ab"); })
        .Do("focus the end of the field",
            [](EditorWindow& window) {
                window.Focus(kEditId);
                ::SendMessageA(window.Control(kEditId), EM_SETSEL, 2, 2);
                window.PostChar('c');
            })
        .Do("check the typed character",
            [](EditorWindow& window) {
                EXPECT_EQ(window.Text(kEditId), "abc");
                EXPECT_EQ(window.FocusedControlId(), kEditId);
                EXPECT_EQ(window.Selection(kEditId), (std::pair<DWORD, DWORD>{3, 3}));
            })
        .Do("press OK", [](EditorWindow& window) { window.PostCommand(IDOK); });
    EXPECT_EQ(script.Run([&] { return dialog.Run(); }), IDOK);
    EXPECT_TRUE(script.Completed());
}

TEST(DialogScriptHarness, AnswersMessageBoxesWithTheQueuedButtonAndRecordsThem) {
    PlainDialog dialog;
    DialogScript script(kCaption);
    int answer = 0;
    script.Boxes().QueueAnswer(IDCANCEL);
    script
        .Do("ask twice",
            [&](EditorWindow& window) {
                answer = ::MessageBoxA(window.Handle(), "first", "Question", MB_OKCANCEL | MB_ICONEXCLAMATION);
                ::MessageBoxA(window.Handle(), "second", "Error", MB_OK | MB_ICONSTOP);
            })
        .Do("press OK", [](EditorWindow& window) { window.PostCommand(IDOK); });
    EXPECT_EQ(script.Run([&] { return dialog.Run(); }), IDOK);
    EXPECT_EQ(answer, IDCANCEL);
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Question");
    EXPECT_EQ(boxes[0].text, "first");
    EXPECT_EQ(boxes[0].answer, IDCANCEL);
    EXPECT_EQ(boxes[1].caption, "Error");
    EXPECT_EQ(boxes[1].text, "second");
    EXPECT_EQ(boxes[1].answer, IDOK);
}

TEST(DialogScriptHarness, ASteplessWaitFailsTheTestAndCancelsTheDialog) {
    PlainDialog dialog;
    int result = 0;
    const auto run = [&] {
        DialogScript script(kCaption);
        script.WaitUntil(
            "something that never happens", [](EditorWindow&) { return false; }, 200);
        result = script.Run([&] { return dialog.Run(); });
    };
    EXPECT_NONFATAL_FAILURE(run(), "timed out waiting for something that never happens");
    EXPECT_EQ(result, IDCANCEL);
}

TEST(DialogScriptHarness, ReportsADialogThatClosesBeforeTheScriptEnds) {
    PlainDialog dialog;
    const auto run = [&] {
        DialogScript script(kCaption);
        script.Do("close", [](EditorWindow& window) { window.PostCommand(IDOK); })
            .Do("a step after the close", [](EditorWindow&) {});
        return script.Run([&] { return dialog.Run(); });
    };
    EXPECT_NONFATAL_FAILURE(run(), "the dialog closed before the step \"a step after the close\"");
}

TEST(DialogScriptHarness, CountsIdleMessagesAndRefusesVetoedWindowClasses) {
    IdleCounter idle;
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(idle.Count(), 0);
    ::SendMessageA(window, IdleCounter::kKickIdle, 0, 0);
    ::SendMessageA(window, IdleCounter::kKickIdle, 0, 1);
    EXPECT_EQ(idle.Count(), 2);
    EXPECT_NE(idle.FirstIdleTicks(), 0);
    ::DestroyWindow(window);

    WindowCreationVeto veto("ToolbarWindow32");
    HWND toolbar =
        ::CreateWindowExA(0, "ToolbarWindow32", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(toolbar, nullptr);
    EXPECT_EQ(veto.Refused(), 1);
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(other, nullptr);
    ::DestroyWindow(other);
}

TEST(TestFixtures, TemplateFolderKeepsBytesAndGoesAway) {
    std::string path;
    {
        TemplateFolder folder;
        path = folder.Path();
        ASSERT_EQ(path.back(), '\\');
        folder.Write("cpp.tpl", "a:t:s:\r\ncode\f\r\n");
        folder.MakeDirectory("cs.tpl");
        EXPECT_EQ(folder.Read("cpp.tpl"), std::optional<std::string>("a:t:s:\r\ncode\f\r\n"));
        EXPECT_EQ(folder.Read("js.tpl"), std::nullopt);
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"cpp.tpl", "cs.tpl"}));
    }
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(TestFixtures, ProfileKeyReadsWhatItWritesUnderTheModuleKey) {
    ProfileKey::DeleteModuleKey();
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), std::nullopt);
    ProfileKey::WriteInt(ProfileKey::kRootNode, -1);
    ProfileKey::WriteString(ProfileKey::kWindowPlacement, "1,2,3,4,1,0");
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), -1);
    EXPECT_EQ(ProfileKey::ReadString(ProfileKey::kWindowPlacement), "1,2,3,4,1,0");
    EXPECT_EQ(ProfileKey::DialogValueNames(), (std::vector<std::string>{"Root Node", "WindowPlacement"}));
    EXPECT_EQ(ProfileKey::SubKeyNames(ProfileKey::kCompanyKey), std::vector<std::string>{"Tarvel"});
    ProfileKey::DeleteModuleKey();
    EXPECT_TRUE(ProfileKey::DialogValueNames().empty());
}

// The stand-in host passes a directory the way the module needs it.
TEST(StandInHost, EndsADirectoryWithASeparatorAndKeepsTheCurrentOneEmpty) {
    EXPECT_EQ(host::WithTrailingSeparator("C:\\templates"), "C:\\templates\\");
    EXPECT_EQ(host::WithTrailingSeparator("C:\\templates\\"), "C:\\templates\\");
    EXPECT_EQ(host::WithTrailingSeparator("Z:/tmp/templates/"), "Z:/tmp/templates/");
    EXPECT_EQ(host::WithTrailingSeparator(""), "") << "not the root of the drive";
}

}  // namespace
}  // namespace tarvel::uitest
