#include "app/CallingThread.h"

namespace tarvel {

std::atomic<DWORD> CallingThread::owner_{0};
int CallingThread::depth_ = 0;

CallingThread::CallingThread() noexcept {
    const DWORD self = ::GetCurrentThreadId();
    DWORD current = 0;
    admitted_ = owner_.compare_exchange_strong(current, self) || current == self;
    if (admitted_) {
        ++depth_;
    }
}

CallingThread::~CallingThread() {
    if (admitted_ && --depth_ == 0) {
        owner_.store(0);
    }
}

HWND CallingThread::OwnWindow(HWND window) noexcept {
    const bool ours = window != nullptr && ::IsWindow(window) &&
                      ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
    return ours ? window : nullptr;
}

}  // namespace tarvel
