// The prompt dialog through ShowAutotextDlg: what it shows, how it ends, and
// what it writes back into the host's record.
#include "tests/prompt/PromptTest.h"

#include "res/resource.h"
#include "tests/editor/EditorHost.h"
#include "tests/prompt/OpenPopupMenu.h"

#include <cstring>
#include <functional>
#include <optional>

namespace tarvel::uitest {
namespace {

using host::HostPromptRequest;
using Names = std::vector<std::string>;

constexpr int kRows = 8;
constexpr int kConfirmed = 1;
constexpr int kCancelled = 2;
constexpr UINT kSciGetReadOnly = 2140;

bool IsShown(HWND window) noexcept { return ::IsWindowVisible(window) != FALSE; }

using PromptDialog = PromptTest;

TEST_F(PromptDialog, ShowsTheWholeTitleShortenedLabelsHiddenRowsAndTheCode) {
    const std::string title = "A caption that is longer than thirty-five characters in all";
    const std::string code = "first line $a$\r\nsecond line\r\n";
    const Names names = {
        std::string(35, 'a') + "bcdef", std::string(35, 'n'), "first\r\nsecond", "a\tb", "  spaced  ", "", "", "last"};
    HostPromptRequest request(title, code, names, {});
    request.Record().promptNames[6] = nullptr;
    const Names expected = {
        std::string(35, 'a') + "...", std::string(35, 'n'), "firstsecond", "a b", "spaced", "", "", "last"};
    DialogScript script(title);
    script
        .Do("read what the dialog shows",
            [&](EditorWindow& window) {
                EXPECT_EQ(TextOf(window.Handle()), title);
                for (int row = 0; row < kRows; ++row) {
                    const bool used = !expected[static_cast<size_t>(row)].empty();
                    EXPECT_EQ(IsShown(PromptLabel(window, row)), used) << row;
                    EXPECT_EQ(IsShown(PromptEdit(window, row)), used) << row;
                    if (used) {
                        EXPECT_EQ(TextOf(PromptLabel(window, row)), expected[static_cast<size_t>(row)]) << row;
                    }
                }
                char viewClass[32] = {};
                ::GetClassNameA(CodeView(window), viewClass, sizeof viewClass);
                EXPECT_STREQ(viewClass, "Scintilla");
                EXPECT_EQ(::SendMessageA(CodeView(window), kSciGetReadOnly, 0, 0), 1);
                EXPECT_EQ(TextOf(CodeView(window)), code);
                EXPECT_EQ(TextOf(window.Control(IDOK)), "&OK");
                EXPECT_EQ(TextOf(window.Control(IDCANCEL)), "&Cancel");
                ::SendMessageA(window.Handle(), PSM_SETCURSEL, 1, 0);
                ::SetFocus(CodeView(window));
                window.PostChar('x');
            })
        .Do("the code view refused the typing", [&](EditorWindow& window) {
            EXPECT_EQ(TextOf(CodeView(window)), code);
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
}

struct Ending {
    const char* what;
    std::function<void(EditorWindow&)> close;
};

const Ending kCancels[] = {
    {"the Cancel button", ClickCancel},
    {"Escape", [](EditorWindow& window) { window.PostKeyDown(VK_ESCAPE); }},
    {"Alt+C", [](EditorWindow& window) { window.PostAltKey('C'); }},
};

TEST_F(PromptDialog, CancelEscapeAndAltCReturnTwoAndLeaveEveryByteOfTheRecord) {
    for (const Ending& ending : kCancels) {
        HostPromptRequest request(kTitle, "$a$ $b$", {"a", "b"}, {"recent"});
        request.SetValue(0, "first", 8);
        const Snapshot before = Take(request.Record());
        DialogScript script(kTitle);
        script
            .Do("type a value",
                [](EditorWindow& window) {
                    SetText(PromptEdit(window, 0), "changed");
                    SetText(PromptEdit(window, 1), "typed");
                    ::SetFocus(PromptEdit(window, 0));
                })
            .Do(ending.what, ending.close);
        EXPECT_EQ(Run(script, request), kCancelled) << ending.what;
        EXPECT_TRUE(Take(request.Record()) == before) << ending.what;
    }
}

const Ending kConfirms[] = {
    {"the OK button", ClickOk},
    {"Alt+O", [](EditorWindow& window) { window.PostAltKey('O'); }},
};

TEST_F(PromptDialog, OkAndAltOWriteEveryRowBackInPlaceOrInANewBlock) {
    for (const Ending& ending : kConfirms) {
        HostPromptRequest request(kTitle, "", {"fits", "grows", "empty", "", "stays"}, {});
        request.SetValue(0, "old", 11);
        request.SetValue(1, "old", 10);
        request.SetValue(3, "hidden", 16);
        request.SetValue(4, "kept", 5);
        char* const fitting = request.Record().values[0].data;
        char* const hidden = request.Record().values[3].data;
        DialogScript script(kTitle);
        script
            .Do("enter the values",
                [](EditorWindow& window) {
                    SetText(PromptEdit(window, 0), "0123456789");
                    SetText(PromptEdit(window, 1), "0123456789");
                    ::SetFocus(PromptEdit(window, 4));
                })
            .Do(ending.what, ending.close);
        ASSERT_EQ(Run(script, request), kConfirmed) << ending.what;
        const AutotextDlgRequest& record = request.Record();
        EXPECT_EQ(record.values[0].data, fitting) << ending.what;
        EXPECT_EQ(record.values[0].capacity, 11);
        EXPECT_EQ(record.values[1].capacity, 11);
        EXPECT_EQ(record.values[2].capacity, 1);
        EXPECT_EQ(record.values[3].data, hidden);
        EXPECT_EQ(request.Values(), (Names{"0123456789", "0123456789", "", "hidden", "kept", "", "", ""}));
        for (int row = 0; row < kRows; ++row) {
            const HostTextBuffer& value = record.values[row];
            ASSERT_NE(value.data, nullptr) << row;
            EXPECT_EQ(value.data[value.length], '\0') << row;
            EXPECT_EQ(static_cast<size_t>(value.length), std::strlen(value.data)) << row;
        }
    }
}

std::vector<std::pair<std::string, int>> TreeItems(HWND tree) {
    std::vector<std::pair<std::string, int>> items;
    for (auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item;
         item = reinterpret_cast<HTREEITEM>(
             ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        char text[64] = {};
        TVITEMA data = {};
        data.mask = TVIF_TEXT | TVIF_IMAGE;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = sizeof text;
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        items.emplace_back(text, data.iImage);
    }
    return items;
}

HTREEITEM TreeItem(HWND tree, int index) {
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; index > 0 && item; --index) {
        item = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return item;
}

TEST_F(PromptDialog, ThePageTreeSwitchesPagesAndLeavingTheArgumentsKeepsTheirValues) {
    HostPromptRequest request(kTitle, "code", {"name"}, {});
    std::vector<std::pair<std::string, int>> items;
    bool argumentsShown = false, codeShown = false, minimumIsTheOpeningSize = false;
    DialogScript script(kTitle);
    script
        .Do("type a value and pick Code in the tree",
            [&](EditorWindow& window) {
                HWND tree = window.ControlOfClass(WC_TREEVIEWA);
                items = TreeItems(tree);
                argumentsShown = IsShown(::GetParent(PromptEdit(window, 0)));
                SetText(PromptEdit(window, 0), "typed");
                ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(TreeItem(tree, 1)));
                RECT frame{};
                ::GetWindowRect(window.Handle(), &frame);
                MINMAXINFO limits{};
                ::SendMessageA(window.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
                minimumIsTheOpeningSize = limits.ptMinTrackSize.x == frame.right - frame.left &&
                                          limits.ptMinTrackSize.y == frame.bottom - frame.top;
            })
        .Do("confirm on the Code page", [&](EditorWindow& window) {
            codeShown = IsShown(::GetParent(CodeView(window))) && !IsShown(::GetParent(PromptEdit(window, 0)));
            ClickOk(window);
        });
    EXPECT_EQ(Run(script, request), kConfirmed);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].first, "Arguments");
    EXPECT_EQ(items[1].first, "Code");
    EXPECT_EQ(items[0].second, 0);
    EXPECT_EQ(items[1].second, 1);
    EXPECT_TRUE(argumentsShown);
    EXPECT_TRUE(codeShown);
    EXPECT_TRUE(minimumIsTheOpeningSize);
    EXPECT_EQ(request.Value(0), "typed");
}

TEST_F(PromptDialog, AnInitialValueIsReadNoFurtherThanItsCapacity) {
    HostPromptRequest request(kTitle, "", {"name"}, {});
    request.SetValue(0, "abcdefghij", 16);
    request.Record().values[0].capacity = 5;
    std::string shown;
    DialogScript script(kTitle);
    script.Do("read the value and cancel", [&](EditorWindow& window) {
        shown = TextOf(PromptEdit(window, 0));
        ClickCancel(window);
    });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_EQ(shown, "abcde");
}

TEST_F(PromptDialog, NullCodeAndNullRecentTextsAreEmpty) {
    HostPromptRequest request(kTitle, "", {"name"}, {"", "second"});
    request.Record().code = nullptr;
    request.Record().recentClipboard[0] = nullptr;
    request.Record().recentClipboard[2] = nullptr;
    std::optional<HeldControlShift> keys;
    std::vector<UINT> ids;
    DialogScript script(kTitle);
    script
        .Do("open the recent popup",
            [&](EditorWindow& window) {
                EXPECT_EQ(TextOf(CodeView(window)), "");
                ::SetFocus(PromptEdit(window, 0));
                keys.emplace();
                PostControlShiftV();
            })
        .WaitUntil("the popup", [](EditorWindow&) { return OpenPopupMenu::Find() != nullptr; })
        .Do("read and close it",
            [&](EditorWindow& window) {
                keys.reset();
                ids = OpenPopupMenu::Ids(OpenPopupMenu::Find());
                OpenPopupMenu::Cancel(window.Handle());
            })
        .Do("cancel", ClickCancel);
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_EQ(ids, (std::vector<UINT>{ID_RECENT_CLIPBOARD_FIRST + 1}));
}

TEST_F(PromptDialog, ControlShiftVOutsideAPromptEditDoesNothing) {
    HostPromptRequest request(kTitle, "", {"name"}, {"recent"});
    std::optional<HeldControlShift> keys;
    bool popupSeen = false;
    DialogScript script(kTitle);
    script
        .Do("press Ctrl+Shift+V on the OK button",
            [&](EditorWindow& window) {
                ::SetFocus(window.Control(IDOK));
                keys.emplace();
                PostControlShiftV();
            })
        .Pause(300)
        .Do("no popup came", [&](EditorWindow& window) {
            keys.reset();
            popupSeen = OpenPopupMenu::Find() != nullptr;
            EXPECT_EQ(TextOf(PromptEdit(window, 0)), "");
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_FALSE(popupSeen);
}

// With no window focused Windows sends plain keys as system keys: a plain
// "c" or "o" then is no Alt+C or Alt+O and ends nothing.
TEST_F(PromptDialog, PlainLettersWithoutAFocusEndNothing) {
    HostPromptRequest request(kTitle, "", {"name"}, {});
    DialogScript script(kTitle);
    script
        .Do("type a value, then press c and o with no focus",
            [](EditorWindow& window) {
                SetText(PromptEdit(window, 0), "typed");
                ::SetFocus(nullptr);
                for (const UINT key : {'C', 'O'}) {
                    const auto scanCode = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
                    ::PostMessageA(window.Handle(), WM_SYSKEYDOWN, key, 1 | (scanCode << 16));
                }
            })
        .Pause(200)
        .Do("the dialog still runs", [](EditorWindow& window) {
            EXPECT_EQ(TextOf(PromptEdit(window, 0)), "typed");
            ClickOk(window);
        });
    EXPECT_EQ(Run(script, request), kConfirmed);
    EXPECT_EQ(request.Value(0), "typed");
}

TEST_F(PromptDialog, ChoosingARecentTextReplacesTheSelectionWithItsLinesJoinedAndCanBeUndone) {
    const std::string longText = "a recent text longer than thirty-five characters,\r\nwith a second line";
    HostPromptRequest request(kTitle, "", {"name"}, {"", "", longText, "", "", "five"});
    std::optional<HeldControlShift> keys;
    std::vector<OpenPopupMenu::Item> items;
    std::string value, undone;
    DialogScript script(kTitle);
    script
        .Do("select a part and press Ctrl+Shift+V",
            [&](EditorWindow& window) {
                HWND edit = PromptEdit(window, 0);
                SetText(edit, "hello world");
                ::SetFocus(edit);
                ::SendMessageA(edit, EM_SETSEL, 0, 5);
                keys.emplace();
                PostControlShiftV();
            })
        .WaitUntil("the popup", [](EditorWindow&) { return OpenPopupMenu::Find() != nullptr; })
        .Do("choose the first item",
            [&](EditorWindow&) {
                keys.reset();
                items = OpenPopupMenu::Items(OpenPopupMenu::Find());
                OpenPopupMenu::ChooseByArrows(0);
            })
        .WaitUntil("the popup closed", [](EditorWindow&) { return OpenPopupMenu::Find() == nullptr; })
        .Do("read the value and undo", [&](EditorWindow& window) {
            value = TextOf(PromptEdit(window, 0));
            ::SendMessageA(PromptEdit(window, 0), EM_UNDO, 0, 0);
            undone = TextOf(PromptEdit(window, 0));
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].id, ID_RECENT_CLIPBOARD_FIRST + 2u);
    EXPECT_EQ(items[0].text, "a recent text longer than thirty-fi...");
    EXPECT_EQ(items[1].id, ID_RECENT_CLIPBOARD_FIRST + 5u);
    EXPECT_EQ(value, "a recent text longer than thirty-five characters, with a second line world");
    EXPECT_EQ(undone, "hello world");
}

TEST_F(PromptDialog, ASecondCallWhileOneRunsReturnsTwoAndTouchesNothing) {
    HostPromptRequest first(kTitle, "", {"name"}, {"first recent"});
    HostPromptRequest second("Second prompt", "", {"other"}, {"second recent"});
    second.SetValue(0, "value", 8);
    const Snapshot secondBefore = Take(second.Record());
    int secondResult = 0;
    std::optional<HeldControlShift> keys;
    std::vector<OpenPopupMenu::Item> items;
    DialogScript script(kTitle);
    script
        .Do("call the export again from inside the loop",
            [&](EditorWindow& window) {
                secondResult = EditorHost::ShowAutotextDlg(second.Record());
                ::SetFocus(PromptEdit(window, 0));
                keys.emplace();
                PostControlShiftV();
            })
        .WaitUntil("the first dialog's popup", [](EditorWindow&) { return OpenPopupMenu::Find() != nullptr; })
        .Do("read and close it",
            [&](EditorWindow& window) {
                keys.reset();
                items = OpenPopupMenu::Items(OpenPopupMenu::Find());
                OpenPopupMenu::Cancel(window.Handle());
            })
        .Do("cancel", ClickCancel);
    EXPECT_EQ(Run(script, first), kCancelled);
    EXPECT_EQ(secondResult, kCancelled);
    EXPECT_TRUE(Take(second.Record()) == secondBefore);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "first recent");
}

}  // namespace
}  // namespace tarvel::uitest
