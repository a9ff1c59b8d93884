#pragma once

#include <windows.h>

#include <functional>

namespace tarvel::bench {

// Cancels a dialog (the editor unless another caption is given) the first
// time its thread runs idle, after running the work given, if any, inside
// the dialog's modal loop; the idle moment is seen through a
// thread timer: WM_TIMER is taken only when nothing else (sent, posted,
// input or paint) is waiting, so its first tick with the editor shown comes
// when the modal loop has gone idle. A hook on sent messages would see the
// idle message exactly, but it makes every message the editor sends to its
// controls several times dearer, which the bare tree does not pay.
class IdleCancel {
public:
    static constexpr char kEditorCaption[] = "Autotext";

    explicit IdleCancel(const char* caption = kEditorCaption, std::function<void(HWND dialog)> work = {});
    ~IdleCancel();
    IdleCancel(const IdleCancel&) = delete;
    IdleCancel& operator=(const IdleCancel&) = delete;

    bool Cancelled() const noexcept { return firstIdle_ != 0; }
    // QueryPerformanceCounter when the cancel was posted; 0 before it.
    LONGLONG FirstIdleTicks() const noexcept { return firstIdle_; }

private:
    static constexpr UINT kTickInterval = USER_TIMER_MINIMUM;

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept;
    static BOOL CALLBACK MatchDialog(HWND window, LPARAM self) noexcept;

    static IdleCancel* current_;
    const char* caption_;
    std::function<void(HWND dialog)> work_;
    HWND found_ = nullptr;
    UINT_PTR timer_ = 0;
    LONGLONG firstIdle_ = 0;
};

}  // namespace tarvel::bench
