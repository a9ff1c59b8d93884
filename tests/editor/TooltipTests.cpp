// The editor's balloon tips through the real export: the expansion tree's
// previews of an entry's code, the toolbar's tips and the title page's help
// tips. The mouse rests where the cursor is placed and a move is posted, as
// the system posts it; what the dialog answers to the tooltip's display
// notification is read by a spy on the dialog's window procedure.
#include "tests/editor/EditorTest.h"

#include "host/HostPaths.h"
#include "res/resource.h"
#include "tests/editor/ScreenCapture.h"
#include "tests/editor/TemplateText.h"
#include "tooltip/TooltipToolInfo.h"

#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace tarvel::uitest {
namespace {

using Tooltips = EditorTest;

constexpr char kEscapedCode[] = "a<b &lt; &amp; &nbsp;x";
constexpr char kPreviewStart[] = "<table><tr><td><icon idres=144 width=0 height=0></td><td>";
constexpr char kPreviewEnd[] = "</td></tr></table>";
constexpr DWORD kInitialDelay = 500;

struct Notification {
    HWND tool = nullptr;
    POINT point{};
    std::string text;
    DWORD at = 0;
};

// Sees every display notification after the dialog has answered it.
class NotificationSpy {
public:
    void Attach(HWND dialog) {
        spy_ = this;
        dialog_ = dialog;
        previous_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    void Detach() {
        if (previous_)
            ::SetWindowLongPtrA(dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        previous_ = nullptr;
    }
    std::vector<Notification> seen;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = ::CallWindowProcA(spy_->previous_, hwnd, message, wParam, lParam);
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == kTooltipDisplayNotification) {
            const auto& notify = *reinterpret_cast<TooltipDisplayNotify*>(lParam);
            spy_->seen.push_back({notify.tool, *notify.point, notify.info->text, ::GetTickCount()});
        }
        return result;
    }
    static NotificationSpy* spy_;
    HWND dialog_ = nullptr;
    WNDPROC previous_ = nullptr;
};
NotificationSpy* NotificationSpy::spy_ = nullptr;

std::string Preview(const std::string& shown) { return kPreviewStart + shown + kPreviewEnd; }

// Places the cursor on a point of the window and posts the move there.
DWORD RestMouse(HWND window, POINT client) {
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    return ::GetTickCount();
}

POINT CenterOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

RECT ScreenRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// The first pixel of the link colour (blue) in the balloon, in its client coordinates.
std::optional<POINT> LinkPixel(HWND balloon) {
    const RECT rect = ScreenRect(balloon);
    for (LONG y = 0; y < rect.bottom - rect.top; ++y)
        for (LONG x = 0; x < rect.right - rect.left; ++x) {
            const COLORREF pixel = ScreenCapture::PixelAt(balloon, {x, y});
            if (GetBValue(pixel) > 200 && GetRValue(pixel) < 60 && GetGValue(pixel) < 60)
                return POINT{x, y};
        }
    return std::nullopt;
}

void SaveBalloon(HWND balloon, const char* name) {
    const std::string path = host::ProgramFolder() + name;
    EXPECT_TRUE(ScreenCapture::SaveWindow(balloon, path)) << path;
}

class TooltipsOnCode : public Tooltips {
protected:
    void SetUp() override {
        Tooltips::SetUp();
        WriteSampleTemplates();
        folder_.Write("cpp.tpl", TemplateRecord("escaped", "esc", kEscapedCode) + TemplateRecord("empty", "emp", ""));
        // Away from the editor, so that resting on an item is a move.
        ::SetCursorPos(0, 0);
    }
    NotificationSpy spy_;
};

// The screen point one pixel right of and below the item's label.
POINT LabelCorner(const EditorWindow& window, HTREEITEM item) {
    const RECT label = window.LabelRect(item);
    POINT corner{label.left, label.top};
    ::ClientToScreen(window.Tree(), &corner);
    return {corner.x + 1, corner.y + 1};
}

TEST_F(TooltipsOnCode, RestingOnAnEntryPreviewsItsCodeAsWrittenAboveItsLabel) {
    struct Seen {
        DWORD restedAt = 0;
        POINT corner{};
        RECT balloon{};
        bool hiddenByKey = false;
    } seen;
    DialogScript script;
    script.Do("spy", [&](EditorWindow& window) { spy_.Attach(window.Handle()); })
        .Do("leave room above the tree",
            [&](EditorWindow& window) {
                ::SetWindowPos(window.Handle(), nullptr, 100, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            })
        .Do("rest on the escaped entry",
            [&](EditorWindow& window) {
                HTREEITEM item = window.Child("C++", 0);
                seen.corner = LabelCorner(window, item);
                // On the label's last row: a point taken off by the tree's
                // border would fall on the next entry, whose code is empty.
                const RECT label = window.LabelRect(item);
                seen.restedAt = RestMouse(window.Tree(), {label.left + 2, label.bottom - 1});
            })
        .WaitUntil("the balloon shows", [&](EditorWindow&) { return EditorWindow::VisibleBalloon() != nullptr; })
        .Do("look at it and press a key",
            [&](EditorWindow& window) {
                HWND balloon = EditorWindow::VisibleBalloon();
                seen.balloon = ScreenRect(balloon);
                SaveBalloon(balloon, "tooltip-preview.bmp");
                window.Focus(IDC_EXPANSION_TREE);
                window.PostKeyDown(VK_SHIFT);
            })
        .Do("see it hidden",
            [&](EditorWindow&) {
                seen.hiddenByKey = EditorWindow::VisibleBalloon() == nullptr;
                spy_.Detach();
            })
        .Do("cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    ASSERT_FALSE(spy_.seen.empty());
    const Notification& shown = spy_.seen.back();
    EXPECT_EQ(shown.text, Preview("a&lt;b &amp;lt; &amp;amp; &amp;nbsp;x"));
    EXPECT_GE(shown.at - seen.restedAt, kInitialDelay - 50) << "shown after the initial delay";
    EXPECT_EQ(shown.point.x, seen.corner.x);
    EXPECT_EQ(shown.point.y, seen.corner.y);
    // The arrow's tip is there: 16 pixels from the balloon's left, at its
    // bottom above the shadow's 10 pixels.
    EXPECT_EQ(seen.balloon.left + 16, seen.corner.x);
    EXPECT_EQ(seen.balloon.bottom - 10, seen.corner.y);
    EXPECT_TRUE(seen.hiddenByKey);
}

// A long entry's preview stays within half the work area each way: its
// first lines, each cut to the width, and how many lines are left out.
TEST_F(Tooltips, ALongEntryPreviewsItsFirstLinesWithinHalfTheWorkArea) {
    constexpr int kLines = 70;
    std::string code;
    for (int line = 1; line <= kLines; ++line) {
        code += "<td class=\"line-" + std::to_string(line) + "\">" + std::string(200, 'x') + "</td>\n";
    }
    code.pop_back();
    folder_.Write("html.tpl", TemplateRecord("long", "long", code));
    ::SetCursorPos(0, 0);
    NotificationSpy spy;
    POINT corner{};
    RECT balloon{};
    DialogScript script;
    script.Do("spy", [&](EditorWindow& window) { spy.Attach(window.Handle()); })
        .Do("rest on the long entry",
            [&](EditorWindow& window) {
                TreeView_Expand(window.Tree(), window.Root("HTML"), TVE_EXPAND);
                HTREEITEM item = window.Child("HTML", 0);
                corner = LabelCorner(window, item);
                RestMouse(window.Tree(), CenterOf(window.LabelRect(item)));
            })
        .WaitUntil("the balloon shows", [&](EditorWindow&) { return EditorWindow::VisibleBalloon() != nullptr; })
        .Do("look at it",
            [&](EditorWindow&) {
                balloon = ScreenRect(EditorWindow::VisibleBalloon());
                SaveBalloon(EditorWindow::VisibleBalloon(), "tooltip-long-preview.bmp");
                spy.Detach();
            })
        .Do("cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    ASSERT_FALSE(spy.seen.empty());
    const Notification& shown = spy.seen.back();
    ASSERT_EQ(shown.text.rfind(kPreviewStart, 0), 0u);
    std::vector<std::string> lines;
    std::istringstream text(shown.text.substr(std::strlen(kPreviewStart)));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line.substr(0, line.find('\r')));
    }
    ASSERT_GE(lines.size(), 3u);
    const size_t showing = lines.size() - 1;
    EXPECT_EQ(lines.back(), "... " + std::to_string(kLines - showing) + " more lines" + kPreviewEnd);
    for (size_t i = 0; i < showing; ++i) {
        EXPECT_EQ(lines[i].rfind("&lt;td class=\"line-" + std::to_string(i + 1) + "\">xx", 0), 0u) << lines[i];
        EXPECT_EQ(lines[i].substr(lines[i].size() - 3), "...") << lines[i];
    }
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The body within half the work area; the window adds the arrow and the shadow.
    constexpr LONG kArrowAndShadow = 16 + 10;
    EXPECT_LE(balloon.bottom - balloon.top, (work.bottom - work.top) / 2 + kArrowAndShadow);
    EXPECT_LE(balloon.right - balloon.left, (work.right - work.left) / 2 + kArrowAndShadow);
    EXPECT_EQ(shown.point.x, corner.x) << "the arrow points at the label";
    EXPECT_EQ(shown.point.y, corner.y);
}

TEST_F(TooltipsOnCode, RootShowsItsLabelEmptyCodeTheIconEmptySpaceNothingAndTheAutopopHides) {
    struct Seen {
        bool rootShown = false;
        bool shownOnEmptySpace = true;
        bool hiddenByAutopop = false;
        size_t notificationsBeforeEmpty = 0;
    } seen;
    DialogScript script;
    script.Do("spy", [&](EditorWindow& window) { spy_.Attach(window.Handle()); })
        .Do("rest on the C# root",
            [&](EditorWindow& window) {
                RestMouse(window.Tree(), CenterOf(window.LabelRect(window.Root("C#"))));
            })
        .WaitUntil("the balloon shows", [&](EditorWindow&) { return EditorWindow::VisibleBalloon() != nullptr; })
        .Do("shorten the autopop time",
            [&](EditorWindow&) {
                seen.rootShown = true;
                ::SetTimer(EditorWindow::VisibleBalloon(), 257, 300, nullptr);
            })
        .WaitUntil("it hides by itself", [&](EditorWindow&) { return EditorWindow::VisibleBalloon() == nullptr; }, 3000)
        .Do("rest on the entry without code",
            [&](EditorWindow& window) {
                seen.hiddenByAutopop = true;
                RestMouse(window.Tree(), CenterOf(window.LabelRect(window.Child("C++", 1))));
            })
        .WaitUntil("its balloon shows", [&](EditorWindow&) { return EditorWindow::VisibleBalloon() != nullptr; })
        .Do("rest on empty tree space",
            [&](EditorWindow& window) {
                seen.notificationsBeforeEmpty = spy_.seen.size();
                RECT client{};
                ::GetClientRect(window.Tree(), &client);
                RestMouse(window.Tree(), {client.right - 4, client.bottom - 4});
            })
        .Pause(1200)
        .Do("look",
            [&](EditorWindow&) {
                seen.shownOnEmptySpace = EditorWindow::VisibleBalloon() != nullptr;
                spy_.Detach();
            })
        .Do("cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(seen.rootShown);
    EXPECT_TRUE(seen.hiddenByAutopop);
    ASSERT_GE(spy_.seen.size(), 1u);
    EXPECT_EQ(spy_.seen.front().text, Preview("C#"));
    EXPECT_EQ(spy_.seen[seen.notificationsBeforeEmpty - 1].text, Preview("")) << "only the icon";
    EXPECT_FALSE(seen.shownOnEmptySpace);
    ASSERT_GT(spy_.seen.size(), seen.notificationsBeforeEmpty) << "the dialog was asked";
    EXPECT_EQ(spy_.seen.back().text, "") << "and left the text empty";
}

TEST_F(TooltipsOnCode, ToolbarButtonsStillShowTheirTips) {
    DialogScript script;
    script.Do("spy", [&](EditorWindow& window) { spy_.Attach(window.Handle()); })
        .Do("rest on the New button",
            [&](EditorWindow& window) {
                RECT button{};
                ::SendMessageA(window.Toolbar(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
                RestMouse(window.Toolbar(), CenterOf(button));
            })
        .WaitUntil("the balloon shows", [&](EditorWindow&) { return EditorWindow::VisibleBalloon() != nullptr; })
        .Do("done", [&](EditorWindow&) { spy_.Detach(); })
        .Do("cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    ASSERT_FALSE(spy_.seen.empty());
    EXPECT_EQ(spy_.seen.back().text, "New (Insert)");
}

// The browser the shell starts for https addresses, replaced while it lives
// by a command that writes the address into a file.
class ShellOpenHook {
public:
    explicit ShellOpenHook(std::string file) : file_(std::move(file)) {
        ::DeleteFileA(file_.c_str());
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        char old[1024] = {};
        DWORD size = sizeof old;
        if (::RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS)
            previous_ = old;
        Set("\"C:\\windows\\system32\\cmd.exe\" /c echo %1> \"" + file_ + "\"");
    }
    ~ShellOpenHook() {
        Set(previous_);
        ::RegCloseKey(key_);
        ::DeleteFileA(file_.c_str());
    }
    std::string Opened() const {
        std::ifstream in(file_);
        std::string line;
        std::getline(in, line);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        return line;
    }

private:
    static constexpr char kKey[] = "Software\\Classes\\https\\shell\\open\\command";
    void Set(const std::string& command) const {
        ::RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>(command.size() + 1));
    }
    std::string file_;
    std::string previous_;
    HKEY key_ = nullptr;
};

TEST_F(TooltipsOnCode, TitleHelpTipStaysOnTheBalloonAndItsLinkOpensTheSupportPage) {
    ShellOpenHook shell(host::ProgramFolder() + "opened-address.txt");
    struct Seen {
        bool keptOnBalloon = false;
        bool linkFound = false;
        bool hiddenByClick = false;
        bool stillUpLater = false;
    } seen;
    HWND balloon = nullptr;
    DialogScript script;
    script
        .Do("leave room above the fields",
            [&](EditorWindow& window) {
                ::SetWindowPos(window.Handle(), nullptr, 100, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                window.Select(window.Child("C++", 0));
            })
        .Do("rest on the title field",
            [&](EditorWindow& window) {
                RestMouse(window.Control(IDC_TITLE), {30, 5});
            })
        .WaitUntil("the help tip shows", [&](EditorWindow&) { return (balloon = EditorWindow::VisibleBalloon()) != nullptr; })
        .Pause(1500)
        .Do("move onto the balloon",
            [&](EditorWindow&) {
                seen.stillUpLater = EditorWindow::VisibleBalloon() == balloon;
                SaveBalloon(balloon, "tooltip-help.bmp");
                RestMouse(balloon, {40, 20});
            })
        .Pause(700)
        .Do("click its link",
            [&](EditorWindow&) {
                seen.keptOnBalloon = EditorWindow::VisibleBalloon() == balloon;
                const std::optional<POINT> link = LinkPixel(balloon);
                seen.linkFound = link.has_value();
                if (link) {
                    RestMouse(balloon, *link);
                    ::PostMessageA(balloon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(link->x, link->y));
                }
            })
        .WaitUntil("the tip hides", [&](EditorWindow&) { return EditorWindow::VisibleBalloon() == nullptr; }, 3000)
        .WaitUntil("the page opens", [&](EditorWindow&) { return !shell.Opened().empty(); })
        .Do("cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(seen.stillUpLater) << "no autopop";
    EXPECT_TRUE(seen.keptOnBalloon);
    EXPECT_TRUE(seen.linkFound);
    EXPECT_EQ(shell.Opened(), "https://www.ambergrove.example/support/tooltip.html?option=autotextTitle");
}

}  // namespace
}  // namespace tarvel::uitest
