// The arguments page inside the prompt dialog: its rows, the dimmed hint, the
// edit menu with its grey states and recent texts, the one-line paste, and
// how the rows follow a resize.
#include "tests/prompt/PromptTest.h"

#include "host/HostPaths.h"
#include "res/resource.h"
#include "tests/editor/ScreenCapture.h"
#include "tests/prompt/OpenPopupMenu.h"

#include <cstring>
#include <optional>

namespace tarvel::uitest {
namespace {

using host::HostPromptRequest;
using Names = std::vector<std::string>;

constexpr int kRows = 8;
constexpr int kCancelled = 2;
constexpr char kPrivateFormat[] = "Tarvel test private format";
constexpr char kPrivateBytes[] = "kept in every format";
constexpr int kHintStep = 64;

// Where the dialog manager puts a control of the template: its place and its
// size are converted each on their own.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT units{x, y, width, height};
    ::MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

RECT RectInParent(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

COLORREF HintColor(COLORREF window = ::GetSysColor(COLOR_WINDOW)) {
    auto dim = [](int component) { return component > kHintStep ? component - kHintStep : 0; };
    return RGB(dim(GetRValue(window)), dim(GetGValue(window)), dim(GetBValue(window)));
}

// Pixels of the edit's client area in the hint colour.
int HintPixels(HWND edit, COLORREF hint = HintColor()) {
    ::UpdateWindow(edit);
    RECT client{};
    ::GetClientRect(edit, &client);
    int count = 0;
    for (int y = client.top; y < client.bottom; ++y) {
        for (int x = client.left; x < client.right; ++x) {
            count += ScreenCapture::PixelAt(edit, POINT{x, y}) == hint;
        }
    }
    return count;
}

UINT PrivateFormat() { return ::RegisterClipboardFormatA(kPrivateFormat); }

HGLOBAL BlockOf(const std::string& bytes) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    std::memcpy(::GlobalLock(block), bytes.c_str(), bytes.size() + 1);
    ::GlobalUnlock(block);
    return block;
}

// The clipboard with a text (or none) and a private format beside it.
void FillClipboard(const std::optional<std::string>& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (text) {
        ::SetClipboardData(CF_TEXT, BlockOf(*text));
    }
    ::SetClipboardData(PrivateFormat(), BlockOf(kPrivateBytes));
    ::CloseClipboard();
}

std::optional<std::string> ClipboardData(UINT format) {
    if (!::OpenClipboard(nullptr)) {
        return std::nullopt;
    }
    std::optional<std::string> data;
    if (HANDLE block = ::GetClipboardData(format)) {
        data = static_cast<const char*>(::GlobalLock(block));
        ::GlobalUnlock(block);
    }
    ::CloseClipboard();
    return data;
}

void OpenContextMenu(HWND edit) {
    RECT rect{};
    ::GetWindowRect(edit, &rect);
    ::PostMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(rect.left + 10, rect.top + 5));
}

bool MenuOpen(EditorWindow&) { return OpenPopupMenu::Find() != nullptr; }
bool MenuClosed(EditorWindow&) { return OpenPopupMenu::Find() == nullptr; }

using ArgumentsPage = PromptTest;

TEST_F(ArgumentsPage, RowsStandWhereDialog107PutsThemAndTheEditsReachThePageEdge) {
    HostPromptRequest request(kTitle, "", Names(kRows, "name"), {});
    DialogScript script(kTitle);
    script.Do("compare the rows with the template", [](EditorWindow& window) {
        const HWND page = ::GetParent(PromptEdit(window, 0));
        RECT pageClient{};
        ::GetClientRect(page, &pageClient);
        const RECT templateClient = DialogUnits(page, 0, 0, 202, 151);
        for (int row = 0; row < kRows; ++row) {
            const RECT label = RectInParent(PromptLabel(window, row));
            const RECT expectedLabel = DialogUnits(page, 6, 9 + 18 * row, 84, 8);
            EXPECT_TRUE(::EqualRect(&label, &expectedLabel)) << row;
            const RECT edit = RectInParent(PromptEdit(window, row));
            const RECT expectedEdit = DialogUnits(page, 95, 6 + 18 * row, 103, 12);
            EXPECT_EQ(edit.left, expectedEdit.left) << row;
            EXPECT_EQ(edit.top, expectedEdit.top) << row;
            EXPECT_EQ(edit.bottom, expectedEdit.bottom) << row;
            EXPECT_EQ(pageClient.right - edit.right, templateClient.right - expectedEdit.right) << row;
        }
        ClickCancel(window);
    });
    EXPECT_EQ(Run(script, request), kCancelled);
}

TEST_F(ArgumentsPage, TheHintShowsWhenEmptyHidesOnTypingAndComesBackWhenEmptied) {
    HostPromptRequest request(kTitle, "", {"first", "second"}, {});
    int empty = 0, typed = 0, emptiedAgain = 0;
    DialogScript script(kTitle);
    script.Pause(200)
        .Do("type into the second edit",
            [&](EditorWindow& window) {
                empty = HintPixels(PromptEdit(window, 1));
                ::SetFocus(PromptEdit(window, 1));
                window.PostChar('x');
            })
        .Do("delete the letter",
            [&](EditorWindow& window) {
                typed = HintPixels(PromptEdit(window, 1));
                window.PostChar('\b');
            })
        .Do("look again", [&](EditorWindow& window) {
            emptiedAgain = HintPixels(PromptEdit(window, 1));
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_GT(empty, 20);
    EXPECT_EQ(typed, 0);
    EXPECT_GT(emptiedAgain, 20);
}

// The system's window colour, changed for a test and restored however it ends.
class WindowColor {
public:
    WindowColor() noexcept : original_(::GetSysColor(kElement)) {}
    ~WindowColor() { Set(original_); }
    WindowColor(const WindowColor&) = delete;
    WindowColor& operator=(const WindowColor&) = delete;
    static void Set(COLORREF color) noexcept { ::SetSysColors(1, &kElement, &color); }

private:
    static constexpr int kElement = COLOR_WINDOW;
    COLORREF original_;
};

TEST_F(ArgumentsPage, TheHintColorFollowsAChangeOfTheWindowColor) {
    HostPromptRequest request(kTitle, "", {"name"}, {});
    WindowColor restore;
    const COLORREF changed = RGB(0xE0, 0xF0, 0x30);
    int inChangedColor = 0;
    DialogScript script(kTitle);
    script
        .Do("change the window colour",
            [&](EditorWindow& window) {
                WindowColor::Set(changed);
                ::SendMessageA(PromptEdit(window, 0), WM_SETTINGCHANGE, 0, 0);
            })
        .Pause(100)
        .Do("look at the hint", [&](EditorWindow& window) {
            inChangedColor = HintPixels(PromptEdit(window, 0), HintColor(changed));
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_EQ(HintColor(changed), RGB(0xA0, 0xB0, 0x00));
    EXPECT_GT(inChangedColor, 20);
}

struct MenuCase {
    const char* what;
    const char* text;
    int selectionStart;
    int selectionEnd;
    bool clipboardHasText;
    // Grey states of Undo, Cut, Copy, Delete, Paste, Select All.
    std::vector<bool> grey;
};

const MenuCase kMenuCases[] = {
    {"an empty edit", "", 0, 0, true, {true, true, true, true, false, true}},
    {"the whole text selected", "hello", 0, -1, false, {true, false, false, false, true, true}},
    {"the caret inside the text", "hello", 2, 2, true, {true, true, true, true, false, false}},
};

const std::vector<UINT> kMenuIds = {
    ID_EDIT_UNDO_MESSAGE,  0, ID_EDIT_CUT_MESSAGE, ID_EDIT_COPY_MESSAGE, ID_EDIT_CLEAR_MESSAGE,
    ID_EDIT_PASTE_MESSAGE, 0, ID_EDIT_SELECT_ALL};
const Names kMenuTexts = {
    "&Undo", "", "Cu&t", "&Copy", "&Delete", "&Paste", "", "Select &All", "Pa&ste recent clipboard"};
const std::vector<int> kCommandPositions = {0, 2, 3, 4, 5, 7};

TEST_F(ArgumentsPage, TheEditMenuGreysWhatCannotBeDoneAndListsTheRecentTexts) {
    HostPromptRequest request(kTitle, "", {"name"}, {"", "", "slot two", "", "", "slot five"});
    DialogScript script(kTitle);
    for (const MenuCase& c : kMenuCases) {
        script
            .Do(std::string("prepare ") + c.what,
                [&c](EditorWindow& window) {
                    FillClipboard(c.clipboardHasText ? std::optional<std::string>("text") : std::nullopt);
                    HWND edit = PromptEdit(window, 0);
                    SetText(edit, c.text);
                    ::SendMessageA(edit, EM_SETSEL, c.selectionStart, c.selectionEnd);
                    OpenContextMenu(edit);
                })
            .WaitUntil("the menu", MenuOpen)
            .Do(std::string("read the menu with ") + c.what,
                [&c](EditorWindow& window) {
                    const auto items = OpenPopupMenu::Items(OpenPopupMenu::Find());
                    ASSERT_EQ(items.size(), kMenuTexts.size());
                    for (size_t i = 0; i < items.size(); ++i) {
                        EXPECT_EQ(items[i].text, kMenuTexts[i]);
                        if (i < kMenuIds.size()) {
                            EXPECT_EQ(items[i].id, kMenuIds[i]) << kMenuTexts[i];
                        }
                    }
                    for (size_t i = 0; i < kCommandPositions.size(); ++i) {
                        const auto& item = items[static_cast<size_t>(kCommandPositions[i])];
                        EXPECT_EQ(item.grey, c.grey[i]) << c.what << ": " << item.text;
                    }
                    EXPECT_FALSE(items.back().grey);
                    EXPECT_EQ(OpenPopupMenu::Ids(items.back().submenu),
                              (std::vector<UINT>{ID_RECENT_CLIPBOARD_FIRST + 2, ID_RECENT_CLIPBOARD_FIRST + 5}));
                    OpenPopupMenu::Cancel(PromptEdit(window, 0));
                })
            .WaitUntil("the menu closed", MenuClosed);
    }
    script.Do("cancel", ClickCancel);
    EXPECT_EQ(Run(script, request), kCancelled);
}

TEST_F(ArgumentsPage, TheMenuKeyOpensTheMenuAtTheCaret) {
    HostPromptRequest request(kTitle, "", {"name"}, {});
    RECT edit{}, menu{};
    DialogScript script(kTitle);
    script
        .Do("press the menu key",
            [&](EditorWindow& window) {
                HWND prompt = PromptEdit(window, 0);
                ::GetWindowRect(prompt, &edit);
                ::SetFocus(prompt);
                ::PostMessageA(prompt, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(prompt), MAKELPARAM(-1, -1));
            })
        .WaitUntil("the menu", MenuOpen)
        .Do("see where it opened",
            [&](EditorWindow& window) {
                ::GetWindowRect(OpenPopupMenu::Window(), &menu);
                OpenPopupMenu::Cancel(PromptEdit(window, 0));
            })
        .WaitUntil("the menu closed", MenuClosed)
        .Do("cancel", ClickCancel);
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_GE(menu.left, edit.left);
    EXPECT_LE(menu.left, edit.right);
    EXPECT_GE(menu.top, edit.top);
    EXPECT_LE(menu.top, edit.bottom + 2);
}

struct PasteCase {
    const char* what;
    std::string clipboard;
    std::string inserted;
};

const PasteCase kPastes[] = {
    {"tabs and line breaks", "alpha\tbeta\r\ngamma", "alpha beta gamma"},
    {"50 characters", std::string(50, 'p'), std::string(50, 'p')},
    {"a long path with spaces around", "  C:\\Program Files\\Vendor Name\\Product\\bin\\tool.exe\r\n",
     "C:\\Program Files\\Vendor Name\\Product\\bin\\tool.exe"},
    {"an empty text", "", ""},
};

TEST_F(ArgumentsPage, PasteInsertsTheClipboardTextWholeOnOneLineAndLeavesTheClipboard) {
    HostPromptRequest request(kTitle, "", {"menu", "keys"}, {});
    std::vector<std::string> byMenu, byKeys;
    std::vector<std::optional<std::string>> textAfter, privateAfter;
    DialogScript script(kTitle);
    for (const PasteCase& c : kPastes) {
        script
            .Do(std::string("paste ") + c.what + " through the menu",
                [&c](EditorWindow& window) {
                    FillClipboard(c.clipboard);
                    SetText(PromptEdit(window, 0), "");
                    SetText(PromptEdit(window, 1), "");
                    ::SetFocus(PromptEdit(window, 0));
                    OpenContextMenu(PromptEdit(window, 0));
                })
            .WaitUntil("the menu", MenuOpen)
            .Do("choose Paste", [](EditorWindow& window) { window.PostChar('p'); })
            .WaitUntil("the menu closed", MenuClosed)
            .Do("paste with Ctrl+V",
                [](EditorWindow& window) {
                    ::SetFocus(PromptEdit(window, 1));
                    window.PostChar('\x16');
                })
            .Do("read the results", [&](EditorWindow& window) {
                byMenu.push_back(TextOf(PromptEdit(window, 0)));
                byKeys.push_back(TextOf(PromptEdit(window, 1)));
                textAfter.push_back(ClipboardData(CF_TEXT));
                privateAfter.push_back(ClipboardData(PrivateFormat()));
            });
    }
    script.Do("cancel", ClickCancel);
    EXPECT_EQ(Run(script, request), kCancelled);
    ASSERT_EQ(byMenu.size(), std::size(kPastes));
    for (size_t i = 0; i < byMenu.size(); ++i) {
        EXPECT_EQ(byMenu[i], kPastes[i].inserted) << kPastes[i].what;
        EXPECT_EQ(byKeys[i], kPastes[i].inserted) << kPastes[i].what;
        EXPECT_EQ(textAfter[i], kPastes[i].clipboard) << kPastes[i].what;
        EXPECT_EQ(privateAfter[i], std::string(kPrivateBytes)) << kPastes[i].what;
    }
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Nothing Copied");
    EXPECT_EQ(boxes[0].text, "Nothing copied to the clipboard.");
}

// Another thread holds the clipboard open while the object lives.
class ClipboardHeldElsewhere {
public:
    ClipboardHeldElsewhere() : thread_(::CreateThread(nullptr, 0, Hold, this, 0, nullptr)) {
        ::WaitForSingleObject(opened_, INFINITE);
    }
    ~ClipboardHeldElsewhere() {
        ::SetEvent(release_);
        ::WaitForSingleObject(thread_, INFINITE);
        ::CloseHandle(thread_);
        ::CloseHandle(opened_);
        ::CloseHandle(release_);
    }
    ClipboardHeldElsewhere(const ClipboardHeldElsewhere&) = delete;
    ClipboardHeldElsewhere& operator=(const ClipboardHeldElsewhere&) = delete;

private:
    static DWORD WINAPI Hold(void* self) {
        auto& held = *static_cast<ClipboardHeldElsewhere*>(self);
        HWND owner = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ::OpenClipboard(owner);
        ::SetEvent(held.opened_);
        ::WaitForSingleObject(held.release_, INFINITE);
        ::CloseClipboard();
        ::DestroyWindow(owner);
        return 0;
    }

    HANDLE opened_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread_;
};

TEST_F(ArgumentsPage, PasteTellsWhenTheClipboardCannotBeOpened) {
    HostPromptRequest request(kTitle, "", {"menu"}, {});
    FillClipboard(std::string("text"));
    std::optional<ClipboardHeldElsewhere> held;
    std::string value = "unread";
    DialogScript script(kTitle);
    script
        .Do("open the menu while another thread holds the clipboard",
            [&](EditorWindow& window) {
                held.emplace();
                ::SetFocus(PromptEdit(window, 0));
                OpenContextMenu(PromptEdit(window, 0));
            })
        .WaitUntil("the menu", MenuOpen)
        .Do("choose Paste", [](EditorWindow& window) { window.PostChar('p'); })
        .WaitUntil("the menu closed", MenuClosed)
        .Do("read the value", [&](EditorWindow& window) {
            held.reset();
            value = TextOf(PromptEdit(window, 0));
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
    EXPECT_EQ(value, "");
    const auto& boxes = script.Boxes().Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "Error Opening the Clipboard.");
}

TEST_F(ArgumentsPage, ResizingWidensTheEightEditsAlikeAndLeavesTheLabels) {
    HostPromptRequest request(kTitle, "int $count$ = 0;\r\n", Names(kRows, "a prompt name"), {});
    std::vector<RECT> labelsBefore, editsBefore;
    constexpr int kWider = 160, kTaller = 80;
    DialogScript script(kTitle);
    script.Pause(300)
        .Do("grow the dialog",
            [&](EditorWindow& window) {
                ::SetWindowTextA(PromptEdit(window, 1), "a value");
                ::RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                ScreenCapture::SaveWindow(window.Handle(), host::ProgramFolder() + "prompt-default.bmp");
                for (int row = 0; row < kRows; ++row) {
                    labelsBefore.push_back(RectInParent(PromptLabel(window, row)));
                    editsBefore.push_back(RectInParent(PromptEdit(window, row)));
                }
                RECT frame{};
                ::GetWindowRect(window.Handle(), &frame);
                ::SetWindowPos(window.Handle(), nullptr, 0, 0, frame.right - frame.left + kWider,
                               frame.bottom - frame.top + kTaller, SWP_NOMOVE | SWP_NOZORDER);
            })
        .Pause(300)
        .Do("compare the rows", [&](EditorWindow& window) {
            ::RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            ScreenCapture::SaveWindow(window.Handle(), host::ProgramFolder() + "prompt-resized.bmp");
            for (int row = 0; row < kRows; ++row) {
                const RECT label = RectInParent(PromptLabel(window, row));
                const RECT edit = RectInParent(PromptEdit(window, row));
                const RECT& before = editsBefore[static_cast<size_t>(row)];
                EXPECT_TRUE(::EqualRect(&label, &labelsBefore[static_cast<size_t>(row)])) << row;
                EXPECT_EQ(edit.left, before.left) << row;
                EXPECT_EQ(edit.top, before.top) << row;
                EXPECT_EQ(edit.bottom, before.bottom) << row;
                EXPECT_EQ(edit.right - before.right, kWider) << row;
            }
            ClickCancel(window);
        });
    EXPECT_EQ(Run(script, request), kCancelled);
}

}  // namespace
}  // namespace tarvel::uitest
