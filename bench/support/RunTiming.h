#pragma once

// Timing of the Win32 benchmarks, which time themselves around modal
// dialogs: the performance counter, and the median, fastest and slowest of
// several runs.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace tarvel::bench {

inline LONGLONG Now() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

struct Spread {
    double median = 0;
    double low = 0;
    double high = 0;
};

inline Spread SpreadOf(std::vector<double> values) {
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

}  // namespace tarvel::bench
