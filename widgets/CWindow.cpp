#include "widgets/CWindow.h"

#include "widgets/WrapperTable.h"

#include <algorithm>
#include <vector>

namespace tarvel {
namespace {

// Looked up for every message of a wrapped window and every reflected
// notification.
WrapperTable& Wrappers() {
    static WrapperTable table;
    return table;
}

struct RegisteredClass {
    HINSTANCE module;
    std::string name;
};

std::vector<RegisteredClass>& RegisteredClasses() {
    static std::vector<RegisteredClass> classes;
    return classes;
}

long& LeftToBaseDestructor() {
    static long count = 0;
    return count;
}

}  // namespace

CWindow::~CWindow() {
    if (hwnd_ && tie_ == Tie::Owned) {
        ::InterlockedIncrement(&LeftToBaseDestructor());
        ::OutputDebugStringA("tarvel: a window outlived its wrapper's derived destructors\n");
        ReleaseWindow();
    } else if (tie_ == Tie::Subclassed) {
        // The control lives on without us, as it was before.
        UnsubclassWindow();
    }
    // A window that went without its WM_NCDESTROY reaching us is still listed.
    if (hwnd_) {
        Wrappers().Remove(hwnd_, this);
    }
}

long CWindow::WindowsLeftToBaseDestructor() noexcept { return LeftToBaseDestructor(); }

// The derived handlers are gone: the window loses its wrapper first, then
// it is destroyed on its own procedure.
void CWindow::ReleaseWindow() noexcept {
    const HWND hwnd = hwnd_;
    if (previous_ != ::DefWindowProcA) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    }
    Unbind();
    if (::IsWindow(hwnd)) {
        ::DestroyWindow(hwnd);
    }
}

void CWindow::Attach(HWND hwnd) noexcept {
    hwnd_ = hwnd;
    tie_ = hwnd ? Tie::Attached : Tie::None;
}

HWND CWindow::Detach() noexcept {
    HWND hwnd = hwnd_;
    if (tie_ == Tie::Attached) {
        hwnd_ = nullptr;
        tie_ = Tie::None;
    }
    return hwnd;
}

bool CWindow::SubclassWindow(HWND hwnd) noexcept {
    if (!hwnd || hwnd_ || !Bind(hwnd)) {
        return false;
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
    // Without the old procedure every message would go nowhere (a window of another process, say).
    if (!previous) {
        Unbind();
        return false;
    }
    previous_ = previous;
    tie_ = Tie::Subclassed;
    return true;
}

HWND CWindow::UnsubclassWindow() noexcept {
    HWND hwnd = hwnd_;
    if (tie_ != Tie::Subclassed) {
        return nullptr;
    }
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    Unbind();
    return hwnd;
}

bool CWindow::CreateEx(HINSTANCE module, DWORD exStyle, const char* className, const char* text, DWORD style,
                       const RECT& rect, HWND parent, UINT id) noexcept {
    if (hwnd_) {
        return false;
    }
    const HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = ::CreateWindowExA(exStyle, className, text ? text : "", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId, module, this);
    if (!hwnd) {
        return false;
    }
    // System classes do not know us: take their messages over after creation.
    if (hwnd_ != hwnd && !SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    tie_ = Tie::Owned;
    return true;
}

void CWindow::DestroyWindow() noexcept {
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::DestroyWindow(hwnd_);
    }
}

CWindow* CWindow::FromHandle(HWND hwnd) noexcept { return hwnd ? Wrappers().Find(hwnd) : nullptr; }

bool CWindow::PreTranslateMessage(MSG&) { return false; }

std::string CWindow::TextOf(HWND hwnd) {
    // The length may count more bytes than the text has (DBCS); the copy tells.
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(hwnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

void CWindow::SetText(const std::string& text) const noexcept { ::SetWindowTextA(hwnd_, text.c_str()); }

RECT CWindow::GetClientRect() const noexcept {
    RECT rect{};
    ::GetClientRect(hwnd_, &rect);
    return rect;
}

RECT CWindow::GetRectInParent() const noexcept {
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool CWindow::RegisterClassOnce(HINSTANCE module, const char* className, UINT classStyle, HCURSOR cursor,
                                HBRUSH background) noexcept {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExA(module, className, &existing)) {
        return existing.lpfnWndProc == &WindowProcedure;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = module;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    if (!::RegisterClassExA(&windowClass)) {
        return false;
    }
    try {
        RegisteredClasses().push_back({module, className});
    } catch (...) {
        ::UnregisterClassA(className, module);
        return false;
    }
    return true;
}

void CWindow::UnregisterClasses(HINSTANCE module) noexcept {
    auto& classes = RegisteredClasses();
    for (const RegisteredClass& registered : classes) {
        if (registered.module == module) {
            ::UnregisterClassA(registered.name.c_str(), module);
        }
    }
    classes.erase(std::remove_if(classes.begin(), classes.end(),
                                 [module](const RegisteredClass& c) { return c.module == module; }),
                  classes.end());
}

bool CWindow::OnMessage(const Message&, LRESULT&) { return false; }

// True only when the child's handler consumed the notification.
bool CWindow::ReflectToChild(const Message& message, LRESULT& result) {
    HWND child = nullptr;
    if (message.id == WM_NOTIFY && message.lParam) {
        child = message.Notify()->hwndFrom;
    } else if (message.id == WM_COMMAND && message.lParam) {
        child = message.CommandWindow();
    }
    CWindow* wrapper = FromHandle(child);
    if (!wrapper || wrapper == this) {
        return false;
    }
    const Message reflected{child, Reflected(message.id), message.wParam, message.lParam};
    return wrapper->OnMessage(reflected, result);
}

LRESULT CWindow::Default(const Message& message) noexcept {
    const LRESULT result = ::CallWindowProcA(previous_, message.hwnd, message.id, message.wParam, message.lParam);
    if (dispatch_ && &dispatch_->message == &message) {
        dispatch_->defaulted = true;
        dispatch_->defaultResult = result;
    }
    return result;
}

LRESULT CALLBACK CWindow::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CWindow* self = FromHandle(hwnd);
    if (!self && message == WM_NCCREATE) {
        self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self && !self->Bind(hwnd)) {
            return FALSE;
        }
    }
    if (!self) {
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    const WNDPROC fallback = self->previous_;
    const Message current{hwnd, message, wParam, lParam};
    Dispatch dispatch{current, self->dispatch_};
    self->dispatch_ = &dispatch;
    LRESULT result = 0;
    try {
        result = self->HandleMessage(current);
    } catch (...) {
        result = self->Recover(dispatch, fallback);
    }
    self->dispatch_ = dispatch.outer;
    if (message == WM_NCDESTROY) {
        self->FinishNcDestroy();
    }
    return result;
}

// A handler threw: the message gets its default result, from the run that
// already happened or from one run now, never from a second.
LRESULT CWindow::Recover(const Dispatch& dispatch, WNDPROC fallback) noexcept {
    if (dispatch.defaulted) {
        return dispatch.defaultResult;
    }
    const Message& message = dispatch.message;
    return ::CallWindowProcA(fallback, message.hwnd, message.id, message.wParam, message.lParam);
}

LRESULT CWindow::HandleMessage(const Message& message) {
    LRESULT result = 0;
    // The child's own wrapper sees its notifications before the parent's handlers.
    if (!ReflectToChild(message, result) && !OnMessage(message, result)) {
        result = Default(message);
    }
    return result;
}

void CWindow::FinishNcDestroy() noexcept {
    if (tie_ == Tie::Subclassed && hwnd_) {
        ::SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    }
    Unbind();
    OnFinalMessage();
}

bool CWindow::Bind(HWND hwnd) noexcept {
    if (!Wrappers().Add(hwnd, this)) {
        return false;
    }
    hwnd_ = hwnd;
    return true;
}

void CWindow::Unbind() noexcept {
    if (hwnd_) {
        Wrappers().Remove(hwnd_, this);
    }
    hwnd_ = nullptr;
    previous_ = ::DefWindowProcA;
    tie_ = Tie::None;
}

}  // namespace tarvel
