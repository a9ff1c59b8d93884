// The tip line warns while the entry on show holds what the template files
// or the host change: "%0" in its code, a shortcut another entry of its
// language has. The entry keeps what was typed.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/TemplateText.h"

#include "Scintilla.h"

namespace tarvel::uitest {
namespace {

using WarningTip = EditorTest;

constexpr char kPercentZero[] = "The code holds %0, which is read back as $selected$.";
constexpr char kSharedShortcut[] = "Another entry of this language has this shortcut: the host offers both.";
constexpr char kFirstTip[] = "Autotext Help.";

TEST_F(WarningTip, WarnsWhileTheShownEntryHoldsWhatChangesAndTheTextStaysAsTyped) {
    WriteSampleTemplates();
    folder_.Write("cpp.tpl", TemplateRecord("first", "dup", "a") + TemplateRecord("second", "dup", "b") +
                                 TemplateRecord("plain", "pl", "c"));
    std::string plain, typed, shared, root;
    DialogScript script;
    script
        .Do("select the plain entry",
            [](EditorWindow& window) { window.Select(window.Child("C++", 2)); })
        .Do("type %0 into its code",
            [&](EditorWindow& window) {
                plain = window.Text(IDC_TIP_LINE);
                const HWND code = window.ControlOfClass("Scintilla");
                ::SetFocus(code);
                ::SendMessageA(code, SCI_DOCUMENTEND, 0, 0);
                window.PostChar('%');
                window.PostChar('0');
            })
        .Do("select an entry whose shortcut another has",
            [&](EditorWindow& window) {
                typed = window.Text(IDC_TIP_LINE);
                window.Select(window.Child("C++", 0));
            })
        .Do("select a root",
            [&](EditorWindow& window) {
                shared = window.Text(IDC_TIP_LINE);
                window.Select(window.Root("Java"));
            })
        .Do("press OK", [&](EditorWindow& window) {
            root = window.Text(IDC_TIP_LINE);
            PressOk(window);
        });
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(plain, kFirstTip);
    EXPECT_EQ(typed, kPercentZero);
    EXPECT_EQ(shared, kSharedShortcut);
    EXPECT_EQ(root, kFirstTip);
    EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("first", "dup", "a") + TemplateRecord("second", "dup", "b") +
                                           TemplateRecord("plain", "pl", "c%0"));
}

}  // namespace
}  // namespace tarvel::uitest
