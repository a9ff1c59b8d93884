// The hover preview of a 32 KB code entry from the expiry of the initial
// delay to the balloon painted on the screen (owner notification, layout,
// placement, shaping, the screen below captured, shadow and paint), against
// DrawTextA measuring and drawing the same text in the same font and width,
// in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/RunTiming.h"
#include "bench/tooltip/PreviewMarkup.h"
#include "tooltip/CCeXDib.h"
#include "tooltip/CPPToolTip.h"

using namespace tarvel::bench;

namespace {

constexpr double kRatioTarget = 3.0;
constexpr int kRounds = 9;
constexpr char kFace[] = "Lucida Console";
constexpr int kPoints = 10;
constexpr int kStyleSheet = 110;
constexpr int kMargin = 12;

LRESULT CALLBACK OwnerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CreateOwner() {
    WNDCLASSA owner{};
    owner.lpfnWndProc = OwnerProcedure;
    owner.hInstance = ::GetModuleHandleA(nullptr);
    owner.lpszClassName = "PreviewBenchOwner";
    ::RegisterClassA(&owner);
    return ::CreateWindowExA(0, owner.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 600, 400, 300, nullptr, nullptr,
                             owner.hInstance, nullptr);
}

void RunMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&message);
}

// Milliseconds from the initial delay's expiry to the painted balloon.
double ShowOnce(CPPToolTip& tip, HWND tool, int round) {
    const POINT client{20 + round, 20};
    POINT screen = client;
    ::ClientToScreen(tool, &screen);
    ::SetCursorPos(screen.x, screen.y);
    MSG move{tool, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), 0, {}};
    tip.RelayEvent(move);
    const LONGLONG start = Now();
    ::SendMessageA(tip.GetSafeHwnd(), WM_TIMER, kTimerShow, 0);
    const double shown = Milliseconds(Now() - start);
    if (!tip.IsVisible())
        return -1;
    MSG key{tool, WM_KEYDOWN, VK_SHIFT, 0, 0, {}};
    tip.RelayEvent(key);
    RunMessages();
    return shown;
}

}  // namespace

int main() {
    const std::string code = PreviewCode();
    const HWND owner = CreateOwner();
    const HWND tool = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 400, 300, owner,
                                        nullptr, nullptr, nullptr);
    CPPToolTip tip;
    if (!owner || !tool || !tip.Create(owner)) {
        std::printf("could not create the windows\n");
        return 1;
    }
    tip.SetBehaviour(kTooltipMultipleShow);
    tip.SetColorBk(RGB(255, 255, 255), RGB(240, 247, 255), RGB(192, 192, 208));
    tip.SetEffectBk(13, 5);
    tip.SetBorder(RGB(192, 192, 208), 1, 1);
    tip.SetCssStyles(kStyleSheet);
    tip.SetTooltipShadow(6, 6, 25, true, 8, 8);
    tip.SetImageShadow(6, 6, 25, true, 8, 8);
    tip.AddTool(tool, PreviewMarkup(code));
    RunMessages();

    std::vector<double> balloon;
    for (int round = 0; round < kRounds; ++round) {
        const double milliseconds = ShowOnce(tip, tool, round);
        if (milliseconds < 0) {
            std::printf("the balloon did not show\n");
            return 1;
        }
        balloon.push_back(milliseconds);
    }
    ShowOnce(tip, tool, kRounds);
    RECT shown{};
    ::GetWindowRect(tip.GetSafeHwnd(), &shown);
    const int width = shown.right - shown.left - 2 * kMargin;

    CCeXDib canvas(width, shown.bottom - shown.top);
    const HDC dc = canvas.Dc();
    const int height = -::MulDiv(kPoints, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    const HFONT font = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, kFace);
    const HGDIOBJ old = ::SelectObject(dc, font);
    const UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
    std::vector<double> plain;
    for (int round = 0; round < kRounds; ++round) {
        const LONGLONG start = Now();
        RECT rect{0, 0, width, 0};
        ::DrawTextA(dc, code.data(), static_cast<int>(code.size()), &rect, format | DT_CALCRECT);
        ::DrawTextA(dc, code.data(), static_cast<int>(code.size()), &rect, format);
        ::GdiFlush();
        plain.push_back(Milliseconds(Now() - start));
    }
    ::SelectObject(dc, old);
    ::DeleteObject(font);

    const Spread balloonTimes = SpreadOf(balloon), plainTimes = SpreadOf(plain);
    const double ratio = balloonTimes.median / plainTimes.median;
    std::printf("preview balloon, delay expiry to painted: median %.2f ms (best %.2f, worst %.2f), %ld x %ld\n",
                balloonTimes.median, balloonTimes.low, balloonTimes.high, shown.right - shown.left,
                shown.bottom - shown.top);
    std::printf("DrawTextA measure+draw: median %.2f ms (best %.2f, worst %.2f)\n", plainTimes.median,
                plainTimes.low, plainTimes.high);
    std::printf("preview balloon / DrawTextA: %.2f (target %.1f) %s\n", ratio, kRatioTarget,
                ratio <= kRatioTarget ? "met" : "MISSED");
    tip.DestroyWindow();
    ::DestroyWindow(owner);
    return 0;
}
