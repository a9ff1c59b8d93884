#pragma once

// What the Win32 benchmarks share: running a thread's messages until it is
// idle, so that both sides of a figure are timed to their first idle moment,
// painting included.
#include <windows.h>

namespace tarvel::bench {

// A window that never validates its paint would keep the queue busy.
constexpr int kMostMessagesUntilIdle = 100000;

inline void RunUntilIdle() {
    MSG message;
    for (int count = 0; count < kMostMessagesUntilIdle && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++count) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace tarvel::bench
