#include "bench/editor/IdleCancel.h"

#include <cstring>
#include <utility>

namespace tarvel::bench {

IdleCancel* IdleCancel::current_ = nullptr;

IdleCancel::IdleCancel(const char* caption, std::function<void(HWND dialog)> work)
    : caption_(caption), work_(std::move(work)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, kTickInterval, OnTimer);
}

IdleCancel::~IdleCancel() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
}

BOOL CALLBACK IdleCancel::MatchDialog(HWND window, LPARAM self) noexcept {
    auto& cancel = *reinterpret_cast<IdleCancel*>(self);
    char caption[256] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (::IsWindowVisible(window) && std::strcmp(caption, cancel.caption_) == 0) {
        cancel.found_ = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK IdleCancel::OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (!current_ || current_->Cancelled()) {
        return;
    }
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(current_));
    if (!current_->found_) {
        return;
    }
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    current_->firstIdle_ = now.QuadPart;
    if (current_->work_)
        current_->work_(current_->found_);
    ::PostMessageA(current_->found_, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace tarvel::bench
