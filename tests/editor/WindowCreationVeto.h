#pragma once

#include <windows.h>

#include <string>

namespace tarvel::uitest {

// Refuses the creation of every window of one class on this thread
// (HCBT_CREATEWND answered with 1), as when the system runs out of
// resources for that control.
class WindowCreationVeto {
public:
    explicit WindowCreationVeto(std::string className);
    ~WindowCreationVeto();
    WindowCreationVeto(const WindowCreationVeto&) = delete;
    WindowCreationVeto& operator=(const WindowCreationVeto&) = delete;

    int Refused() const noexcept { return refused_; }

private:
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
    bool Matches(HWND window) const;

    static WindowCreationVeto* current_;
    HHOOK hook_ = nullptr;
    std::string className_;
    int refused_ = 0;
};

}  // namespace tarvel::uitest
