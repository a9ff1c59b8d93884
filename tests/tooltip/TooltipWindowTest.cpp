// The balloon tooltip window on a real owner window with a real edit field:
// the cursor is placed with SetCursorPos and every message of the thread is
// relayed, as an owner's PreTranslateMessage does.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tooltip/CCeXDib.h"
#include "widgets/CPPToolTip.h"

using namespace tarvel;

namespace {

constexpr char kOwnerClass[] = "TooltipTestOwner";
constexpr COLORREF kOwnerColor = RGB(40, 120, 200);
constexpr COLORREF kBorderColor = RGB(192, 192, 208);
constexpr int kToolBarCommand = 40001;
constexpr char kToolBarTip[] = "New <entry> & more";

struct Notified {
    int count = 0;
    NMHDR header{};
    HWND tool = nullptr;
    POINT point{};
    std::string text;
};
Notified g_notified;
std::function<void(TooltipDisplayNotify&)> g_answer;

LRESULT CALLBACK OwnerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == kTooltipDisplayNotification) {
            auto& notify = *reinterpret_cast<TooltipDisplayNotify*>(lParam);
            ++g_notified.count;
            g_notified.header = notify.hdr;
            g_notified.tool = notify.tool;
            g_notified.point = *notify.point;
            g_notified.text = notify.info->text;
            if (g_answer)
                g_answer(notify);
            return 0;
        }
        if (header->code == TTN_GETDISPINFOA && header->idFrom == kToolBarCommand) {
            reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = const_cast<char*>(kToolBarTip);
            return 0;
        }
    }
    if (message == WM_ERASEBKGND) {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        HBRUSH brush = ::CreateSolidBrush(kOwnerColor);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        ::DeleteObject(brush);
        return 1;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

class TooltipWindow : public testing::Test {
protected:
    void SetUp() override {
        // Away from the owner, so that resting on a tool is a move.
        ::SetCursorPos(0, 0);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        WNDCLASSA ownerClass{};
        ownerClass.lpfnWndProc = OwnerProcedure;
        ownerClass.hInstance = ::GetModuleHandleA(nullptr);
        ownerClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        ownerClass.lpszClassName = kOwnerClass;
        ::RegisterClassA(&ownerClass);
        owner_ = ::CreateWindowExA(0, kOwnerClass, "owner", WS_POPUP | WS_VISIBLE, 100, 200, 700, 500, nullptr,
                                   nullptr, ownerClass.hInstance, nullptr);
        field_ = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 40, 300, 300, 24, owner_,
                                   reinterpret_cast<HMENU>(1001), nullptr, nullptr);
        ASSERT_TRUE(owner_ && field_);
        ASSERT_TRUE(tip_.Create(owner_, true));
        tip_.SetDelayTime(3, 100);
        tip_.SetColorBk(RGB(255, 255, 255), RGB(240, 247, 255), RGB(192, 192, 208));
        tip_.SetEffectBk(13, 5);
        tip_.SetBorder(kBorderColor, 1, 1);
        tip_.SetNotify(true);
        tip_.SetTooltipShadow(6, 6, 25, true, 8, 8);
        tip_.SetCssStyles(110);
        g_notified = {};
        g_answer = nullptr;
        Pump(100);
    }
    void TearDown() override {
        tip_.DestroyWindow();
        ::DestroyWindow(owner_);
        g_answer = nullptr;
    }

    // Runs the thread's messages, each first relayed to the tooltip, until
    // `done` holds or the time is up; whether it held.
    bool Pump(DWORD milliseconds, const std::function<bool()>& done = {}) {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < milliseconds) {
            MSG message;
            while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                tip_.RelayEvent(message);
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
            if (done && done())
                return true;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return done && done();
    }
    bool TipVisible() const { return ::IsWindowVisible(tip_.GetSafeHwnd()) != FALSE; }

    // Rests the mouse on a point of the window; the screen point.
    POINT RestOn(HWND window, POINT client) {
        POINT screen = client;
        ::ClientToScreen(window, &screen);
        ::SetCursorPos(screen.x, screen.y);
        MSG move{window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), 0, {}};
        tip_.RelayEvent(move);
        return screen;
    }
    bool ShowTipOnField(POINT client = {50, 12}) {
        RestOn(field_, client);
        return Pump(2000, [&] { return TipVisible(); });
    }
    RECT TipRect() const {
        RECT rect{};
        ::GetWindowRect(tip_.GetSafeHwnd(), &rect);
        return rect;
    }

    HWND owner_ = nullptr;
    HWND field_ = nullptr;
    CPPToolTip tip_;
};

TEST_F(TooltipWindow, IsAHiddenTopmostToolPopupOfItsOwnClassOwnedByTheOwner) {
    HWND hwnd = tip_.GetSafeHwnd();
    char className[64] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, "CPPToolTip");
    EXPECT_EQ(::GetClassLongA(hwnd, GCL_STYLE) & CS_SAVEBITS, static_cast<DWORD>(CS_SAVEBITS));
    EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(::GetWindowLongA(hwnd, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), owner_);
    EXPECT_FALSE(TipVisible());
    CPPToolTip second;
    EXPECT_TRUE(second.Create(owner_)) << "the class is registered once and reused";
}

TEST_F(TooltipWindow, ShowsAfterTheInitialDelayAndTellsTheOwnerFirst) {
    tip_.AddTool(field_, "Help <b>text</b>");
    const POINT screen = RestOn(field_, {50, 12});
    Pump(50);
    EXPECT_FALSE(TipVisible());
    EXPECT_EQ(g_notified.count, 0);
    ASSERT_TRUE(Pump(2000, [&] { return TipVisible(); }));
    EXPECT_EQ(g_notified.count, 1);
    EXPECT_EQ(g_notified.header.hwndFrom, tip_.GetSafeHwnd());
    EXPECT_EQ(g_notified.header.code, kTooltipDisplayNotification);
    EXPECT_EQ(g_notified.tool, field_);
    EXPECT_EQ(g_notified.point.x, screen.x);
    EXPECT_EQ(g_notified.point.y, screen.y);
    EXPECT_EQ(g_notified.text, "Help <b>text</b>");
}

TEST_F(TooltipWindow, OwnerMayReplaceTheTextAndAnEmptyTextShowsNothing) {
    tip_.AddTool(field_, "original");
    g_answer = [](TooltipDisplayNotify& notify) { notify.info->text = "replaced"; };
    ASSERT_TRUE(ShowTipOnField());
    EXPECT_EQ(tip_.ShownText(), "replaced");
    tip_.Pop();
    g_answer = [](TooltipDisplayNotify& notify) { notify.info->text.clear(); };
    tip_.SetBehaviour(kTooltipMultipleShow);
    RestOn(field_, {60, 12});
    EXPECT_FALSE(Pump(600, [&] { return TipVisible(); }));
    EXPECT_EQ(g_notified.count, 2);
}

TEST_F(TooltipWindow, BalloonSitsAboveTheMouseWithItsArrowTipThere) {
    tip_.AddTool(field_, "A tip");
    g_answer = [](TooltipDisplayNotify& notify) { *notify.point = {400, 600}; };
    ASSERT_TRUE(ShowTipOnField());
    const RECT rect = TipRect();
    // The shadow (offset 6, blurred 4 either way) adds 10 pixels right of
    // and below the balloon.
    EXPECT_EQ(rect.bottom - 10, 600);
    EXPECT_EQ(rect.left + 16, 400);
    HDC dc = ::GetDC(tip_.GetSafeHwnd());
    // Just above the arrow's tip, inside the arrow: the balloon's colours.
    const COLORREF arrow = ::GetPixel(dc, 16 + 1, rect.bottom - rect.top - 10 - 3);
    ::ReleaseDC(tip_.GetSafeHwnd(), dc);
    EXPECT_GT(GetRValue(arrow), 150);
    EXPECT_GT(GetBValue(arrow), 150);
}

TEST_F(TooltipWindow, LooksFinishedBorderBodyAndShadow) {
    tip_.AddTool(field_, "Shadowed tip with some words in it");
    g_answer = [](TooltipDisplayNotify& notify) { *notify.point = {400, 600}; };
    ASSERT_TRUE(ShowTipOnField());
    Pump(100);
    const RECT rect = TipRect();
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC dc = ::GetDC(tip_.GetSafeHwnd());
    const COLORREF border = ::GetPixel(dc, width / 2, 0);
    const COLORREF body = ::GetPixel(dc, 8, 14);
    const COLORREF shadow = ::GetPixel(dc, width - 5, height / 2);
    ::ReleaseDC(tip_.GetSafeHwnd(), dc);
    EXPECT_EQ(border, kBorderColor);
    EXPECT_GT(GetRValue(body) + GetGValue(body) + GetBValue(body), 3 * 200) << std::hex << body;
    // The owner's blue, darkened by at most a quarter.
    EXPECT_LT(GetBValue(shadow), GetBValue(kOwnerColor));
    EXPECT_GE(GetBValue(shadow), GetBValue(kOwnerColor) * 3 / 4 - 1);
}

// The body is painted over the shaded screen in place: painting it again
// must give the same pixels, shadow and text included.
TEST_F(TooltipWindow, RepaintShowsTheSamePixels) {
    tip_.AddTool(field_, "Shadowed tip with <b>some</b> words in it");
    g_answer = [](TooltipDisplayNotify& notify) { *notify.point = {400, 600}; };
    ASSERT_TRUE(ShowTipOnField());
    Pump(100);
    const RECT rect = TipRect();
    const auto pixels = [&] {
        CCeXDib copy(rect.right - rect.left, rect.bottom - rect.top);
        const HDC dc = ::GetDC(tip_.GetSafeHwnd());
        ::BitBlt(copy.Dc(), 0, 0, copy.Width(), copy.Height(), dc, 0, 0, SRCCOPY);
        ::ReleaseDC(tip_.GetSafeHwnd(), dc);
        ::GdiFlush();
        return std::vector<std::uint32_t>(copy.Bits(), copy.Bits() + copy.Width() * copy.Height());
    };
    const auto first = pixels();
    ::RedrawWindow(tip_.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(first == pixels());
}

TEST_F(TooltipWindow, AnyKeyButtonOrWheelHidesAtOnce) {
    tip_.AddTool(field_, "A tip");
    tip_.SetBehaviour(kTooltipMultipleShow);
    const UINT messages[] = {WM_KEYDOWN,       WM_SYSKEYDOWN,  WM_LBUTTONDOWN,  WM_RBUTTONDOWN,
                             WM_MBUTTONDBLCLK, WM_MOUSEWHEEL,  WM_NCLBUTTONDOWN, WM_NCRBUTTONDBLCLK};
    int x = 50;
    for (UINT message : messages) {
        ASSERT_TRUE(ShowTipOnField({x++, 12})) << message;
        MSG press{field_, message, 0, 0, 0, {}};
        tip_.RelayEvent(press);
        EXPECT_FALSE(TipVisible()) << message;
    }
    ASSERT_TRUE(ShowTipOnField({x++, 12}));
    ::SendMessageA(tip_.GetSafeHwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(TipVisible()) << "the application lost the activation";
}

TEST_F(TooltipWindow, OnlyATipKeptUpByTheMouseTakesTheMouse) {
    tip_.AddTool(field_, "A tip");
    int x = 50;
    for (const unsigned behaviour : {unsigned{kTooltipMultipleShow}, kTooltipMultipleShow | kTooltipKeepOnBalloon}) {
        tip_.SetBehaviour(behaviour);
        ASSERT_TRUE(ShowTipOnField({x++, 12})) << behaviour;
        const RECT balloon = TipRect();
        const POINT middle{(balloon.left + balloon.right) / 2, (balloon.top + balloon.bottom) / 2};
        const LRESULT hit = ::SendMessageA(tip_.GetSafeHwnd(), WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y));
        EXPECT_EQ(hit, (behaviour & kTooltipKeepOnBalloon) ? HTCLIENT : HTTRANSPARENT) << behaviour;
        tip_.Pop();
        Pump(50);
    }
}

TEST_F(TooltipWindow, TicksOnlyWhileATipIsUp) {
    const auto tickPending = [&] {
        MSG tick;
        ::Sleep(250);
        return ::PeekMessageA(&tick, tip_.GetSafeHwnd(), WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE;
    };
    EXPECT_FALSE(tickPending()) << "an idle tooltip would wake its owner's loop ten times a second";
    tip_.AddTool(field_, "A tip");
    ASSERT_TRUE(ShowTipOnField());
    EXPECT_TRUE(tickPending()) << "a tip on show follows the mouse";
    tip_.Pop();
    Pump(50);
    EXPECT_FALSE(tickPending());
}

TEST_F(TooltipWindow, AWindowDestroyedWhileATipIsUpLeavesNoTipBehind) {
    tip_.AddTool(field_, "A tip");
    ASSERT_TRUE(ShowTipOnField());
    tip_.DestroyWindow();
    EXPECT_FALSE(tip_.IsVisible());
    ASSERT_TRUE(tip_.Create(owner_, true));
    RestOn(owner_, {600, 50});
    EXPECT_TRUE(ShowTipOnField()) << "the tool shows its tip in the new window";
}

TEST_F(TooltipWindow, TipWithoutAutopopHidesWhenTheMouseLeavesForAnotherWindow) {
    tip_.AddTool(field_, "A tip");
    tip_.SetBehaviour(kTooltipMultipleShow | kTooltipCloseOnLeave | kTooltipKeepOnBalloon | kTooltipNoAutopop);
    ASSERT_TRUE(ShowTipOnField());
    // Where no window of the owner relays the move.
    ::SetCursorPos(5, 5);
    EXPECT_TRUE(Pump(1000, [&] { return !TipVisible(); }));
}

TEST_F(TooltipWindow, FadesInFromTransparentToOpaque) {
    tip_.AddTool(field_, "A tip");
    tip_.SetDelayTime(4, 30);
    ASSERT_TRUE(ShowTipOnField());
    HWND hwnd = tip_.GetSafeHwnd();
    BYTE alpha = 255;
    DWORD flags = 0;
    EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
    EXPECT_LT(alpha, 255);
    EXPECT_TRUE(Pump(2000, [&] { return !(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED); }))
        << "opaque at the end of the fade";
    EXPECT_TRUE(TipVisible());
}

TEST_F(TooltipWindow, HidesByItselfAfterTheAutopopTime) {
    tip_.AddTool(field_, "A tip");
    tip_.SetBehaviour(kTooltipMultipleShow);
    tip_.SetDelayTime(2, 300);
    ASSERT_TRUE(ShowTipOnField());
    EXPECT_TRUE(Pump(2000, [&] { return !TipVisible(); }));
}

TEST_F(TooltipWindow, LongTextNeverCoversMoreThanTheWorkArea) {
    std::string text;
    for (int line = 0; line < 3000; ++line)
        text += "line " + std::to_string(line) + " of a very long entry that goes on and on and on\r\n";
    tip_.AddTool(field_, text);
    ASSERT_TRUE(ShowTipOnField());
    const RECT rect = TipRect();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(tip_.GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_LE(rect.bottom - rect.top, monitor.rcWork.bottom - monitor.rcWork.top);
    EXPECT_LE(rect.right - rect.left, monitor.rcWork.right - monitor.rcWork.left);
    EXPECT_GE(rect.top, monitor.rcWork.top);
}

TEST_F(TooltipWindow, ToolBarButtonsShowTheBarsOwnTips) {
    HWND bar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0,
                                 0, 0, owner_, nullptr, nullptr, nullptr);
    ASSERT_TRUE(bar);
    ::SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = kToolBarCommand;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    ::SendMessageA(bar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    ::SendMessageA(bar, TB_AUTOSIZE, 0, 0);
    tip_.AddToolBar(bar);
    RECT item{};
    ::SendMessageA(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    RestOn(bar, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    ASSERT_TRUE(Pump(2000, [&] { return TipVisible(); }));
    EXPECT_EQ(g_notified.tool, bar);
    EXPECT_EQ(tip_.ShownText(), "New &lt;entry> &amp; more") << "the bar's plain text, shown as written";
}

}  // namespace
