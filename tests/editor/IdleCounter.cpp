#include "tests/editor/IdleCounter.h"

namespace tarvel::uitest {

IdleCounter* IdleCounter::current_ = nullptr;

IdleCounter::IdleCounter() {
    current_ = this;
    hook_ = ::SetWindowsHookExA(WH_CALLWNDPROC, HookProcedure, nullptr, ::GetCurrentThreadId());
}

IdleCounter::~IdleCounter() {
    ::UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK IdleCounter::HookProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current_ && sent->message == kKickIdle) {
        if (current_->count_++ == 0) {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            current_->firstIdle_ = now.QuadPart;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarvel::uitest
