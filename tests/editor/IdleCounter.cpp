#include "tests/editor/IdleCounter.h"

namespace tarvel::uitest {

IdleCounter* IdleCounter::current_ = nullptr;

IdleCounter::IdleCounter(FirstIdle onFirstIdle) : onFirstIdle_(std::move(onFirstIdle)) {
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
            if (current_->onFirstIdle_) {
                try {
                    current_->onFirstIdle_(sent->hwnd);
                } catch (...) {
                    // The hook chain must go on whatever the observer does.
                }
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarvel::uitest
