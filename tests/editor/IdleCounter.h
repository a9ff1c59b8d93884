#pragma once

#include <windows.h>

namespace tarvel::uitest {

// Counts the idle messages (WM_KICKIDLE) that a modal loop on this thread
// sends, through a WH_CALLWNDPROC hook; the first one's time is kept.
class IdleCounter {
public:
    static constexpr UINT kKickIdle = 0x036A;

    IdleCounter();
    ~IdleCounter();
    IdleCounter(const IdleCounter&) = delete;
    IdleCounter& operator=(const IdleCounter&) = delete;

    long Count() const noexcept { return count_; }
    // QueryPerformanceCounter at the first idle message; 0 before it.
    LONGLONG FirstIdleTicks() const noexcept { return firstIdle_; }

private:
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept;

    static IdleCounter* current_;
    HHOOK hook_ = nullptr;
    long count_ = 0;
    LONGLONG firstIdle_ = 0;
};

}  // namespace tarvel::uitest
