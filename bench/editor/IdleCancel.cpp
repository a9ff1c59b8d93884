#include "bench/editor/IdleCancel.h"

#include <cstring>

namespace tarvel::bench {

IdleCancel* IdleCancel::current_ = nullptr;

IdleCancel::IdleCancel() {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, kTickInterval, OnTimer);
}

IdleCancel::~IdleCancel() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
}

BOOL CALLBACK IdleCancel::MatchEditor(HWND window, LPARAM found) noexcept {
    char caption[32] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (::IsWindowVisible(window) && std::strcmp(caption, kEditorCaption) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK IdleCancel::OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (!current_ || current_->Cancelled()) {
        return;
    }
    HWND editor = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchEditor, reinterpret_cast<LPARAM>(&editor));
    if (!editor) {
        return;
    }
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    current_->firstIdle_ = now.QuadPart;
    ::PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace tarvel::bench
