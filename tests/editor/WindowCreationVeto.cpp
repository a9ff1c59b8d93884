#include "tests/editor/WindowCreationVeto.h"

namespace tarvel::uitest {

WindowCreationVeto* WindowCreationVeto::current_ = nullptr;

WindowCreationVeto::WindowCreationVeto(std::string className) : className_(std::move(className)) {
    current_ = this;
    hook_ = ::SetWindowsHookExA(WH_CBT, HookProcedure, nullptr, ::GetCurrentThreadId());
}

WindowCreationVeto::~WindowCreationVeto() {
    ::UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK WindowCreationVeto::HookProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HCBT_CREATEWND && current_ && current_->Matches(reinterpret_cast<HWND>(wParam))) {
        ++current_->refused_;
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Class names may carry an activation-context version prefix ("6.0...!Name").
bool WindowCreationVeto::Matches(HWND window) const {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    const std::string text = name;
    return text.size() >= className_.size() &&
           ::lstrcmpiA(text.c_str() + text.size() - className_.size(), className_.c_str()) == 0;
}

}  // namespace tarvel::uitest
