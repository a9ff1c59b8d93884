#pragma once

#include <windows.h>

#include <functional>

namespace tarvel::uitest {

// Counts the idle messages (WM_KICKIDLE) that a modal loop on this thread
// sends, through a WH_CALLWNDPROC hook; the first one's time is kept and the
// optional callback gets the window of the first one.
class IdleCounter {
public:
    static constexpr UINT kKickIdle = 0x036A;
    using FirstIdle = std::function<void(HWND)>;

    explicit IdleCounter(FirstIdle onFirstIdle = {});
    ~IdleCounter();
    IdleCounter(const IdleCounter&) = delete;
    IdleCounter& operator=(const IdleCounter&) = delete;

    long Count() const noexcept { return count_; }
    // QueryPerformanceCounter at the first idle message; 0 before it.
    LONGLONG FirstIdleTicks() const noexcept { return firstIdle_; }

private:
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept;

    static IdleCounter* current_;
    FirstIdle onFirstIdle_;
    HHOOK hook_ = nullptr;
    long count_ = 0;
    LONGLONG firstIdle_ = 0;
};

}  // namespace tarvel::uitest
