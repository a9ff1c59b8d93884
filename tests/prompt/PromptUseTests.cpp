// The prompt dialog as people use it: where the focus starts, what the
// labels show, the live preview on the Code page, the page keys and the
// place the dialog keeps between calls. Through ShowAutotextDlg.
#include "tests/prompt/PromptTest.h"

#include "res/resource.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/XPointer.h"

#include <commctrl.h>

#include <cstdlib>

#include "Scintilla.h"

namespace tarvel::uitest {
namespace {

using host::HostPromptRequest;
using Names = std::vector<std::string>;

constexpr int kRows = 8;
constexpr int kConfirmed = 1;
constexpr int kCancelled = 2;
constexpr int kOkButton = -1;
constexpr int kFilledMark = INDICATOR_CONTAINER;
constexpr int kEmptyMark = INDICATOR_CONTAINER + 1;

using PromptUse = PromptTest;

int FocusedRow(const EditorWindow& window) {
    for (int row = 0; row < kRows; ++row) {
        if (::GetFocus() == PromptEdit(window, row)) {
            return row;
        }
    }
    return ::GetFocus() == window.Control(IDOK) ? kOkButton : -2;
}

struct RecordCase {
    const char* what;
    Names names;
    Names values;
    const char* typed;
    int focusedRow;
    Names labels;
    Names written;
};

const RecordCase kRecords[] = {
    {"no prompt shows: the focus is on OK and typing changes nothing", {}, {"kept", "also kept"}, "zz", kOkButton,
     {}, {"kept", "also kept", "", "", "", "", "", ""}},
    {"typing replaces the first shown value", {"", "name"}, {"hidden", "old"}, "new", 1, {"", "name"},
     {"hidden", "new", "", "", "", "", "", ""}},
    {"an ampersand is no mnemonic", {"Tom & Jerry"}, {}, "", 0, {"Tom & Jerry"}, Names(kRows, "")},
};

TEST_F(PromptUse, TheRecordDecidesFocusLabelsAndWhatGoesBack) {
    for (const RecordCase& c : kRecords) {
        HostPromptRequest request(kTitle, "", c.names, {});
        for (size_t row = 0; row < c.values.size(); ++row) {
            request.SetValue(row, c.values[row], 16);
        }
        int focused = -3;
        Names labels;
        DialogScript script(kTitle);
        script
            .Do("type",
                [&](EditorWindow& window) {
                    focused = FocusedRow(window);
                    for (size_t row = 0; row < c.labels.size(); ++row) {
                        const HWND label = PromptLabel(window, static_cast<int>(row));
                        const bool literal = ::GetWindowLongA(label, GWL_STYLE) & SS_NOPREFIX;
                        labels.push_back(::IsWindowVisible(label) && literal ? TextOf(label) : "");
                    }
                    for (const char* key = c.typed; *key; ++key) {
                        window.PostChar(*key);
                    }
                })
            .Do("press OK", ClickOk);
        EXPECT_EQ(Run(script, request), kConfirmed) << c.what;
        EXPECT_EQ(focused, c.focusedRow) << c.what;
        EXPECT_EQ(labels, c.labels) << c.what;
        EXPECT_EQ(request.Values(), c.written) << c.what;
    }
}

// The text of the tooltip that shows now, if one does.
std::string ShownTip() {
    HWND tip = nullptr;
    while ((tip = ::FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) != nullptr) {
        if (::IsWindowVisible(tip)) {
            return TextOf(tip);
        }
    }
    return {};
}

TEST_F(PromptUse, LabelsShowWholeNamesAndAShortenedOneShowsItsNameAsATip) {
    const std::string longName = "The return type of the function, with its qualifiers";
    HostPromptRequest request(kTitle, "", {"Return type of the function", longName}, {});
    std::string whole, shortened, tip;
    DialogScript script(kTitle);
    script
        .Do("rest the pointer on the shortened label",
            [&](EditorWindow& window) {
                whole = TextOf(PromptLabel(window, 0));
                shortened = TextOf(PromptLabel(window, 1));
                RECT label{};
                ::GetWindowRect(PromptLabel(window, 1), &label);
                XPointer::MoveTo({label.left + 10, label.top + 3});
                XPointer::MoveTo({label.left + 12, label.top + 4});
            })
        .WaitUntil("the tip", [&](EditorWindow&) { return !(tip = ShownTip()).empty(); })
        .Do("cancel", [](EditorWindow& window) {
            XPointer::MoveTo({0, 0});
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_EQ(whole, "Return type of the function");
    EXPECT_EQ(shortened, longName.substr(0, 35) + "...");
    EXPECT_EQ(tip, longName);
}

LRESULT Sci(HWND view, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(view, message, wParam, lParam);
}

// What the code view shows, and which mark each of the needles carries.
struct PreviewSeen {
    std::string text;
    std::vector<int> marks;
};

PreviewSeen ReadPreview(HWND view, const Names& needles) {
    PreviewSeen seen{TextOf(view), {}};
    for (const std::string& needle : needles) {
        const auto at = static_cast<WPARAM>(seen.text.find(needle));
        const bool filled = Sci(view, SCI_INDICATORVALUEAT, kFilledMark, static_cast<LPARAM>(at)) != 0;
        const bool empty = Sci(view, SCI_INDICATORVALUEAT, kEmptyMark, static_cast<LPARAM>(at)) != 0;
        seen.marks.push_back(filled ? kFilledMark : empty ? kEmptyMark : 0);
    }
    return seen;
}

TEST_F(PromptUse, TheCodePageShowsTheExpansionAsTheUserTypes) {
    const std::string code = "for (int $i$ = 0; $i$ < $count$; ++$i$) {\r\n    $end$ $DATE$\r\n}";
    HostPromptRequest request(kTitle, code, {"i", "count"}, {});
    request.SetValue(1, "n", 8);
    PreviewSeen opened, typed, emptied;
    DialogScript script(kTitle);
    script
        .Do("read the preview, then type",
            [&](EditorWindow& window) {
                opened = ReadPreview(CodeView(window), {"$i$", "n;", "$end$"});
                window.PostChar('k');
            })
        .Do("empty the count",
            [&](EditorWindow& window) {
                typed = ReadPreview(CodeView(window), {"k =", "n;", "$end$"});
                SetText(PromptEdit(window, 1), "");
            })
        .Do("read it again", [&](EditorWindow& window) {
            emptied = ReadPreview(CodeView(window), {"k =", "$count$"});
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_EQ(opened.text, "for (int $i$ = 0; $i$ < n; ++$i$) {\r\n    $end$ $DATE$\r\n}");
    EXPECT_EQ(opened.marks, (std::vector<int>{kEmptyMark, kFilledMark, 0}));
    EXPECT_EQ(typed.text, "for (int k = 0; k < n; ++k) {\r\n    $end$ $DATE$\r\n}");
    EXPECT_EQ(typed.marks, (std::vector<int>{kFilledMark, kFilledMark, 0}));
    EXPECT_EQ(emptied.text, "for (int k = 0; k < $count$; ++k) {\r\n    $end$ $DATE$\r\n}");
    EXPECT_EQ(emptied.marks, (std::vector<int>{kFilledMark, kEmptyMark}));
}

void PostControlTab(bool shift) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_TAB, 1);
}

void ReleaseControlShift() {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(PromptUse, CtrlTabSwitchesPagesAndEscapeInTheCodeViewCancels) {
    HostPromptRequest request(kTitle, "code", {"name"}, {});
    std::vector<bool> onCodePage;
    DialogScript script(kTitle);
    script.Do("press Ctrl+Tab", [](EditorWindow&) { PostControlTab(false); })
        .Do("press Ctrl+Shift+Tab",
            [&](EditorWindow& window) {
                onCodePage.push_back(::GetFocus() == CodeView(window) && ::IsWindowVisible(CodeView(window)));
                PostControlTab(true);
            })
        .Do("press Ctrl+Tab again",
            [&](EditorWindow& window) {
                onCodePage.push_back(::GetFocus() == CodeView(window) || ::IsWindowVisible(CodeView(window)));
                PostControlTab(false);
            })
        .Do("press Escape in the code view", [&](EditorWindow& window) {
            ReleaseControlShift();
            onCodePage.push_back(::GetFocus() == CodeView(window));
            window.PostKeyDown(VK_ESCAPE);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    ReleaseControlShift();
    EXPECT_EQ(onCodePage, (std::vector<bool>{true, false, true}));
}

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

TEST_F(PromptUse, TheDialogOpensWhereItWasLeftAndInsideTheScreen) {
    RECT left{}, reopened{}, fromAGoneMonitor{}, workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const auto run = [](const std::function<void(EditorWindow&)>& look) {
        HostPromptRequest request(kTitle, "", {"name"}, {});
        DialogScript script(kTitle);
        script.Do("look and close", [&](EditorWindow& window) {
            look(window);
            ClickOk(window);
        });
        EXPECT_EQ(Run(script, request), kConfirmed);
    };
    run([&](EditorWindow& window) {
        RECT frame = WindowRect(window.Handle());
        ::SetWindowPos(window.Handle(), nullptr, 30, 40, frame.right - frame.left + 120,
                       frame.bottom - frame.top + 60, SWP_NOZORDER);
        left = WindowRect(window.Handle());
    });
    run([&](EditorWindow& window) { reopened = WindowRect(window.Handle()); });
    ProfileKey::WriteString("PromptWindowPlacement", "3000,40,3900,700,1,0");
    run([&](EditorWindow& window) { fromAGoneMonitor = WindowRect(window.Handle()); });
    EXPECT_TRUE(::EqualRect(&left, &reopened));
    EXPECT_TRUE(ProfileKey::ReadString(ProfileKey::kWindowPlacement) == std::nullopt) << "the editor's own is apart";
    EXPECT_EQ(fromAGoneMonitor.right, workArea.right);
    EXPECT_EQ(fromAGoneMonitor.right - fromAGoneMonitor.left, 900);
}

// Run with TARVEL_TEST_ACP=932 on a Japanese system: Shift-JIS code and
// names, with no Japanese font installed.
TEST_F(PromptUse, DoubleByteCodeAndNamesOnAJapaneseSystem) {
    if (std::getenv("TARVEL_TEST_ACP")) {
        ASSERT_EQ(::GetACP(), 932u) << "the system's code page was not changed";
    }
    if (::GetACP() != 932) {
        GTEST_SKIP() << "needs a Japanese system";
    }
    std::string name;
    for (int i = 0; i < 20; ++i) {
        name += "\x93\xFA";
    }
    const std::string code = "// \x93\xFA\x96\x7B\x8C\xEA $p$\r\nint $\x95\x5C$;";
    HostPromptRequest request(kTitle, code, {"p", "\x95\x5C", name}, {name});
    std::string shown, label;
    DialogScript script(kTitle);
    script.Do("read and close", [&](EditorWindow& window) {
        ::SendMessageA(window.Handle(), PSM_SETCURSEL, 1, 0);
        ::UpdateWindow(CodeView(window));
        shown = TextOf(CodeView(window));
        label = TextOf(PromptLabel(window, 2));
        ClickCancel(window);
    });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_EQ(shown, code);
    ASSERT_GE(label.size(), 5u);
    EXPECT_EQ(label.substr(label.size() - 3), "...");
    EXPECT_EQ(::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, label.data(), static_cast<int>(label.size() - 3),
                                    nullptr, 0),
              static_cast<int>(label.size() - 3) / 2)
        << "whole characters only";
}

}  // namespace
}  // namespace tarvel::uitest
