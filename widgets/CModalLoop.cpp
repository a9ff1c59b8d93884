#include "widgets/CModalLoop.h"

#include "widgets/CDialog.h"
#include "widgets/CWindow.h"
#include "widgets/Message.h"

namespace tarvel {
namespace {

constexpr UINT kSystemTimer = 0x0118;  // caret blinking; not a reason to run idle work

HWND ParentOfChild(HWND hwnd) noexcept {
    return (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd) : nullptr;
}

}  // namespace

void CModalLoop::Run() {
    MSG message{};
    while (!dialog_.IsModalEnded() && dialog_.GetHwnd()) {
        KickIdle();
        if (dialog_.IsModalEnded()) {
            break;
        }
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Leave the quit request to the host's own loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            dialog_.EndModal(IDCANCEL);
            break;
        }
        if (got == -1) {
            dialog_.EndModal(IDCANCEL);
            break;
        }
        if (!PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (StartsIdleAgain(message)) {
            idle_ = true;
            idleCount_ = 0;
        }
    }
}

bool CModalLoop::PreTranslate(MSG& message) {
    bool reachedDialog = false;
    for (HWND hwnd = message.hwnd; hwnd; hwnd = ParentOfChild(hwnd)) {
        if (CWindow* wrapper = CWindow::FromHandle(hwnd); wrapper && TranslatedBy(*wrapper, message)) {
            return true;
        }
        if (hwnd == dialog_.GetHwnd()) {
            reachedDialog = true;
            break;
        }
    }
    // Messages for other windows (popups, thread messages) still pass the dialog.
    return !reachedDialog && dialog_.GetHwnd() && TranslatedBy(dialog_, message);
}

bool CModalLoop::TranslatedBy(CWindow& window, MSG& message) noexcept {
    try {
        return window.PreTranslateMessage(message);
    } catch (...) {
        // A failing hook leaves the message to the ordinary dispatch.
        return false;
    }
}

void CModalLoop::KickIdle() {
    MSG pending{};
    while (idle_ && !dialog_.IsModalEnded() && dialog_.GetHwnd() &&
           !::PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!dialog_.Send(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount_++)) {
            idle_ = false;
        }
    }
}

bool CModalLoop::StartsIdleAgain(const MSG& message) noexcept {
    switch (message.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE: {
            const bool moved = message.pt.x != lastMouse_.x || message.pt.y != lastMouse_.y;
            lastMouse_ = message.pt;
            return moved;
        }
        case WM_PAINT:
        case kSystemTimer:
        case WM_NULL:
            return false;
        default:
            return true;
    }
}

}  // namespace tarvel
