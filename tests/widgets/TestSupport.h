#pragma once

#include <windows.h>

#include <functional>

namespace tarvel::test {

inline HINSTANCE TestModule() { return ::GetModuleHandleA(nullptr); }

// A window's rectangle in the client coordinates of another, usually its parent.
inline RECT RectIn(HWND window, HWND parent) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Runs the queued messages of this thread until none is left.
inline void PumpPending() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// Pumps messages for the given time, so that window timers can fire.
inline void PumpFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        PumpPending();
        ::Sleep(5);
    }
}

// A plain top-level window to parent the controls under test.
class TestHost {
public:
    explicit TestHost(int width = 600, int height = 400) {
        hwnd_ = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10,
                                  width, height, nullptr, nullptr, TestModule(), nullptr);
    }
    ~TestHost() { ::DestroyWindow(hwnd_); }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace tarvel::test
