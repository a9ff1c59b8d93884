#pragma once

#include <windows.h>

#include <atomic>

namespace tarvel {

// The one thread the module serves at a time. Its state (the editor state,
// the prompt request slot, the editing library's count) has no locks, so an
// export called from a second thread while another thread is inside one is
// refused; the same thread may call again from inside its own dialog.
class CallingThread {
public:
    CallingThread() noexcept;
    ~CallingThread();
    CallingThread(const CallingThread&) = delete;
    CallingThread& operator=(const CallingThread&) = delete;

    bool Admitted() const noexcept { return admitted_; }

    // The host's window when it is a window of this thread, else none: a
    // dialog owned by another thread's window waits on that thread at every
    // activation, for ever when that thread waits on the call.
    static HWND OwnWindow(HWND window) noexcept;

private:
    static std::atomic<DWORD> owner_;
    static int depth_;  // calls of the owner thread under way; only it changes this
    bool admitted_ = false;
};

}  // namespace tarvel
