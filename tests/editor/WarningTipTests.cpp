// The tip line warns while the entry on show holds what the template files
// or the host change: "%0" in its code, a shortcut another entry of its
// language has. The entry keeps what was typed.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/TemplateText.h"

#include "Scintilla.h"
#include "tests/editor/ScreenCapture.h"

namespace tarvel::uitest {
namespace {

using WarningTip = EditorTest;

constexpr char kPercentZero[] = "The code holds %0, which is read back as $selected$.";
constexpr char kSharedShortcut[] = "Another entry of this language has this shortcut: the host offers both.";
constexpr char kFirstTip[] = "Autotext Help.";

// The exclamation icon's yellow, in the square at the line's left.
bool ShowsWarningIcon(EditorWindow& window) {
    const HWND line = window.Control(IDC_TIP_LINE);
    RECT client{};
    ::GetClientRect(line, &client);
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < size; ++x) {
            const COLORREF pixel = ScreenCapture::PixelAt(line, {x, y});
            if (GetRValue(pixel) > 180 && GetGValue(pixel) > 140 && GetBValue(pixel) < 90)
                return true;
        }
    return false;
}

TEST_F(WarningTip, WarnsWhileTheShownEntryHoldsWhatChangesAndTheTextStaysAsTyped) {
    WriteSampleTemplates();
    folder_.Write("cpp.tpl", TemplateRecord("first", "dup", "a") + TemplateRecord("second", "dup", "b") +
                                 TemplateRecord("plain", "pl", "c"));
    DialogScript script;
    script
        .Do("select the plain entry",
            [](EditorWindow& window) { window.Select(window.Child("C++", 2)); })
        .Do("type %0 into its code",
            [](EditorWindow& window) {
                EXPECT_EQ(window.Text(IDC_TIP_LINE), kFirstTip);
                EXPECT_FALSE(ShowsWarningIcon(window));
                const HWND code = window.ControlOfClass("Scintilla");
                ::SetFocus(code);
                ::SendMessageA(code, SCI_DOCUMENTEND, 0, 0);
                window.PostChar('%');
                window.PostChar('0');
            })
        .WaitUntil("the warning a moment after the keys",
                   [](EditorWindow& window) { return window.Text(IDC_TIP_LINE) == kPercentZero; })
        .Do("select an entry whose shortcut another has",
            [](EditorWindow& window) {
                EXPECT_TRUE(ShowsWarningIcon(window));
                window.Select(window.Child("C++", 0));
            })
        .Do("select a root",
            [](EditorWindow& window) {
                EXPECT_EQ(window.Text(IDC_TIP_LINE), kSharedShortcut);
                window.Select(window.Root("Java"));
            })
        .Do("press OK", [](EditorWindow& window) {
            EXPECT_EQ(window.Text(IDC_TIP_LINE), kFirstTip);
            PressOk(window);
        });
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("first", "dup", "a") + TemplateRecord("second", "dup", "b") +
                                           TemplateRecord("plain", "pl", "c%0"));
}

}  // namespace
}  // namespace tarvel::uitest
