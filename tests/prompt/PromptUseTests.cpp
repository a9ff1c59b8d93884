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

const std::string kLongName = "The return type of the function, with its qualifiers";

const RecordCase kRecords[] = {
    {"no prompt shows: the focus is on OK and typing changes nothing", {}, {"kept", "also kept"}, "zz", kOkButton,
     {}, {"kept", "also kept", "", "", "", "", "", ""}},
    {"typing replaces the first shown value", {"", "name"}, {"hidden", "old"}, "new", 1, {"", "name"},
     {"hidden", "new", "", "", "", "", "", ""}},
    {"an ampersand is no mnemonic", {"Tom & Jerry"}, {}, "", 0, {"Tom & Jerry"}, Names(kRows, "")},
    {"a label shows the whole name or its start", {"Return type of the function", kLongName}, {}, "", 0,
     {"Return type of the function", kLongName.substr(0, 35) + "..."}, Names(kRows, "")},
};

TEST_F(PromptUse, TheRecordDecidesFocusLabelsAndWhatGoesBack) {
    for (const RecordCase& c : kRecords) {
        HostPromptRequest request(kTitle, "", c.names, {});
        for (size_t row = 0; row < c.values.size(); ++row) {
            request.SetValue(row, c.values[row], 16);
        }
        DialogScript script(kTitle);
        script
            .Do("type",
                [&](EditorWindow& window) {
                    EXPECT_EQ(FocusedRow(window), c.focusedRow) << c.what;
                    for (size_t row = 0; row < c.labels.size(); ++row) {
                        const HWND label = PromptLabel(window, static_cast<int>(row));
                        const bool literal = ::GetWindowLongA(label, GWL_STYLE) & SS_NOPREFIX;
                        EXPECT_EQ(::IsWindowVisible(label) && literal ? TextOf(label) : "", c.labels[row]) << c.what;
                    }
                    for (const char* key = c.typed; *key; ++key) {
                        window.PostChar(*key);
                    }
                })
            .Do("press OK", ClickOk);
        EXPECT_EQ(Run(script, request), kConfirmed) << c.what;
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

TEST_F(PromptUse, AShortenedLabelShowsItsNameAsATip) {
    HostPromptRequest request(kTitle, "", {"Return type of the function", kLongName}, {});
    std::string tip;
    DialogScript script(kTitle);
    script
        .Do("rest the pointer on the shortened label",
            [&](EditorWindow& window) {
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
    EXPECT_EQ(tip, kLongName);
}

// The code view shows the text, and each needle carries its mark.
void ExpectPreview(HWND view, const std::string& text, const std::vector<std::pair<std::string, int>>& marks) {
    const std::string shown = TextOf(view);
    EXPECT_EQ(shown, text);
    for (const auto& [needle, mark] : marks) {
        const auto at = static_cast<LPARAM>(shown.find(needle));
        const bool filled = ::SendMessageA(view, SCI_INDICATORVALUEAT, kFilledMark, at) != 0;
        const bool empty = ::SendMessageA(view, SCI_INDICATORVALUEAT, kEmptyMark, at) != 0;
        EXPECT_EQ(filled ? kFilledMark : empty ? kEmptyMark : 0, mark) << needle;
    }
}

TEST_F(PromptUse, TheCodePageShowsTheExpansionAsTheUserTypes) {
    const std::string code = "for (int $i$ = 0; $i$ < $count$; ++$i$) {\r\n    $end$ $DATE$\r\n}";
    HostPromptRequest request(kTitle, code, {"i", "count"}, {});
    request.SetValue(1, "n", 8);
    DialogScript script(kTitle);
    script
        .Do("read the preview, then type",
            [&](EditorWindow& window) {
                ExpectPreview(CodeView(window), "for (int $i$ = 0; $i$ < n; ++$i$) {\r\n    $end$ $DATE$\r\n}",
                              {{"$i$", kEmptyMark}, {"n;", kFilledMark}, {"$end$", 0}});
                window.PostChar('k');
            })
        .Do("empty the count",
            [&](EditorWindow& window) {
                ExpectPreview(CodeView(window), "for (int k = 0; k < n; ++k) {\r\n    $end$ $DATE$\r\n}",
                              {{"k =", kFilledMark}, {"n;", kFilledMark}, {"$end$", 0}});
                SetText(PromptEdit(window, 1), "");
            })
        .Do("read it again", [&](EditorWindow& window) {
            ExpectPreview(CodeView(window), "for (int k = 0; k < $count$; ++k) {\r\n    $end$ $DATE$\r\n}",
                          {{"k =", kFilledMark}, {"$count$", kEmptyMark}});
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
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
    DialogScript script(kTitle);
    script.Do("press Ctrl+Tab", [](EditorWindow&) { PostControlTab(false); })
        .Do("press Ctrl+Shift+Tab",
            [&](EditorWindow& window) {
                EXPECT_TRUE(::GetFocus() == CodeView(window) && ::IsWindowVisible(CodeView(window)));
                PostControlTab(true);
            })
        .Do("press Ctrl+Tab again",
            [&](EditorWindow& window) {
                EXPECT_FALSE(::GetFocus() == CodeView(window) || ::IsWindowVisible(CodeView(window)));
                PostControlTab(false);
            })
        .Do("press Escape in the code view", [&](EditorWindow& window) {
            ReleaseControlShift();
            EXPECT_EQ(::GetFocus(), CodeView(window));
            window.PostKeyDown(VK_ESCAPE);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    ReleaseControlShift();
}

TEST_F(PromptUse, TheDialogOpensWhereItWasLeftAndInsideTheScreen) {
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    // Opens the dialog, lets it be moved, and gives where it was when closed.
    const auto run = [](bool move) {
        HostPromptRequest request(kTitle, "", {"name"}, {});
        RECT frame{};
        DialogScript script(kTitle);
        script.Do("look and close", [&](EditorWindow& window) {
            ::GetWindowRect(window.Handle(), &frame);
            if (move) {
                ::SetWindowPos(window.Handle(), nullptr, 30, 40, frame.right - frame.left + 120,
                               frame.bottom - frame.top + 60, SWP_NOZORDER);
                ::GetWindowRect(window.Handle(), &frame);
            }
            ClickOk(window);
        });
        EXPECT_EQ(Run(script, request), kConfirmed);
        return frame;
    };
    const RECT left = run(true);
    const RECT reopened = run(false);
    ProfileKey::WriteString("PromptWindowPlacement", "3000,40,3900,700,1,0");
    const RECT fromAGoneMonitor = run(false);
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
    std::string label;
    DialogScript script(kTitle);
    script.Do("read and close", [&](EditorWindow& window) {
        ::SendMessageA(window.Handle(), PSM_SETCURSEL, 1, 0);
        ::UpdateWindow(CodeView(window));
        EXPECT_EQ(TextOf(CodeView(window)), code);
        label = TextOf(PromptLabel(window, 2));
        ClickCancel(window);
    });
    EXPECT_EQ(Run(script, request), kCancelled);
    ASSERT_GE(label.size(), 5u);
    EXPECT_EQ(label.substr(label.size() - 3), "...");
    EXPECT_EQ(::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, label.data(), static_cast<int>(label.size() - 3),
                                    nullptr, 0),
              static_cast<int>(label.size() - 3) / 2)
        << "whole characters only";
}

}  // namespace
}  // namespace tarvel::uitest
