// A save that did not write every file keeps the editor and its edits, and a
// file another program changed is replaced only when the user says so.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/TemplateText.h"

#include <string>

namespace tarvel::uitest {
namespace {

const std::string kRenamed = "renamed title";
const std::string kTheirs = "a::theirs:\r\nwritten by another program while the editor was open\f\r\n";

void RenameFirstCppEntry(EditorWindow& window) {
    window.Select(window.Child("C++", 0));
    window.SetText(IDC_TITLE, kRenamed);
}

class EditorFailedSave : public EditorTest {
protected:
    std::string CppPath() const { return folder_.Path() + "cpp.tpl"; }
    bool CppHoldsTheRename() const {
        const auto cpp = folder_.Read("cpp.tpl");
        return cpp && cpp->find("a:" + kRenamed + ":fori:") != std::string::npos;
    }
};

// Held by another program without sharing, the file cannot be written: Save
// and Apply leave Apply enabled, OK keeps the editor open, and once the file
// is free OK saves and returns 1.
TEST_F(EditorFailedSave, AfterAFailedSaveApplyStaysEnabledAndOkKeepsTheEditorOpen) {
    WriteSampleTemplates();
    HANDLE held = INVALID_HANDLE_VALUE;
    bool applyEnabledAfterApply = true;
    bool applyEnabledAfterFailedSave = false;
    bool applyEnabledAfterFailedApply = false;
    bool openAfterFailedOk = false;
    bool renameOnDiskWhileHeld = true;
    DialogScript script;
    script.Do("apply", [](EditorWindow& window) { window.PostCommand(IDC_APPLY); })
        .Do("rename, hold the file and save",
            [&](EditorWindow& window) {
                applyEnabledAfterApply = window.IsEnabled(IDC_APPLY);
                RenameFirstCppEntry(window);
                held = ::CreateFileA(CppPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                window.PostCommand(ID_ENTRY_SAVE);
            })
        .Do("apply",
            [&](EditorWindow& window) {
                applyEnabledAfterFailedSave = window.IsEnabled(IDC_APPLY);
                window.PostCommand(IDC_APPLY);
            })
        .Do("press OK",
            [&](EditorWindow& window) {
                applyEnabledAfterFailedApply = window.IsEnabled(IDC_APPLY);
                PressOk(window);
            })
        .Do("free the file and press OK",
            [&](EditorWindow& window) {
                openAfterFailedOk = ::IsWindowVisible(window.Handle()) != FALSE;
                ::CloseHandle(held);
                held = INVALID_HANDLE_VALUE;
                renameOnDiskWhileHeld = CppHoldsTheRename();
                PressOk(window);
            });
    EXPECT_EQ(OpenEditor(script), IDOK);
    if (held != INVALID_HANDLE_VALUE)
        ::CloseHandle(held);
    EXPECT_FALSE(applyEnabledAfterApply);
    EXPECT_TRUE(applyEnabledAfterFailedSave);
    EXPECT_TRUE(applyEnabledAfterFailedApply);
    EXPECT_TRUE(openAfterFailedOk);
    EXPECT_FALSE(renameOnDiskWhileHeld);
    EXPECT_TRUE(CppHoldsTheRename());
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, texts::kEditorCaption);
        EXPECT_EQ(box.text.rfind("Could not save " + CppPath() + "\n", 0), 0u) << box.text;
    }
}

// No keeps the other program's file and the editor; Yes replaces it.
TEST_F(EditorFailedSave, AFileChangedByAnotherProgramIsReplacedOnlyAfterYes) {
    WriteSampleTemplates();
    bool theirsKeptAfterNo = false;
    bool applyEnabledAfterYes = true;
    DialogScript script;
    script
        .Do("rename, let another program write the file and press OK",
            [&](EditorWindow& window) {
                RenameFirstCppEntry(window);
                folder_.Write("cpp.tpl", kTheirs);
                script.Boxes().QueueAnswer(IDNO);
                PressOk(window);
            })
        .Do("apply with Yes",
            [&](EditorWindow& window) {
                theirsKeptAfterNo = folder_.Read("cpp.tpl") == kTheirs;
                script.Boxes().QueueAnswer(IDYES);
                window.PostCommand(IDC_APPLY);
            })
        .Do("press Cancel",
            [&](EditorWindow& window) {
                applyEnabledAfterYes = window.IsEnabled(IDC_APPLY);
                PressCancel(window);
            });
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(theirsKeptAfterNo);
    EXPECT_FALSE(applyEnabledAfterYes);
    EXPECT_TRUE(CppHoldsTheRename());
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, texts::kEditorCaption);
        EXPECT_EQ(box.text, CppPath() +
                                " was changed by another program after the editor opened it.\n"
                                "Replace it with the editor's entries?");
    }
    EXPECT_EQ(boxes[0].answer, IDNO);
    EXPECT_EQ(boxes[1].answer, IDYES);
}

}  // namespace
}  // namespace tarvel::uitest
