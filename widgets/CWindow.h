#pragma once

#include "widgets/Message.h"
#include "widgets/MessageMap.h"

#include <windows.h>

#include <string>

namespace tarvel {

// Base of every window wrapper. A window is either created by the wrapper
// (owned), taken over from an existing control (subclassed) or merely
// attached (borrowed). Messages reach OnMessage through one noexcept
// procedure; an exception stops there and the message gets its default
// processing once.
//
// An owned window must be gone (DestroyWindow, or its parent's destruction)
// before its wrapper's most-derived destructor ends: the base destructor can
// no longer reach the derived handlers, so an owned window it still finds is
// a programming error, counted for the tests and then torn down without
// them. Final<T> destroys at the most-derived level. A subclassed control
// is only given back.
class CWindow {
public:
    CWindow() noexcept = default;
    virtual ~CWindow();

    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND GetHwnd() const noexcept { return hwnd_; }
    operator HWND() const noexcept { return hwnd_; }

    // Borrow a handle without taking its messages (e.g. the host's window).
    void Attach(HWND hwnd) noexcept;
    HWND Detach() noexcept;

    // Take over the messages of an existing window (a dialog's control).
    bool SubclassWindow(HWND hwnd) noexcept;
    HWND UnsubclassWindow() noexcept;

    // Create a window of a class registered with RegisterClassOnce or of a
    // system class; either way this object receives its messages.
    bool CreateEx(HINSTANCE module, DWORD exStyle, const char* className, const char* text, DWORD style,
                  const RECT& rect, HWND parent, UINT id) noexcept;
    void DestroyWindow() noexcept;

    // The wrapper that receives the messages of hwnd, or null.
    static CWindow* FromHandle(HWND hwnd) noexcept;
    // How many owned windows a base destructor had to destroy.
    static long WindowsLeftToBaseDestructor() noexcept;

    // Inside a handler: false lets the message go on to the next handler
    // and finally to the default processing, as if nobody had handled it.
    // A reflected notification reaches the parent unless its handler in the
    // child sets true.
    void SetMsgHandled(bool handled) noexcept { handled_ = handled; }
    bool IsMsgHandled() const noexcept { return handled_; }

    // Called by the modal loop before a message is dispatched; true swallows it.
    virtual bool PreTranslateMessage(MSG& message);

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept {
        return ::SendMessageA(hwnd_, message, wParam, lParam);
    }
    std::string GetText() const { return TextOf(hwnd_); }
    // The whole text of any window, in the ANSI code page.
    static std::string TextOf(HWND hwnd);
    void SetText(const std::string& text) const noexcept;
    RECT GetClientRect() const noexcept;
    // Window rectangle in the client coordinates of the parent.
    RECT GetRectInParent() const noexcept;

    // Registers a class whose procedure is the wrapper procedure; false if it failed.
    static bool RegisterClassOnce(HINSTANCE module, const char* className, UINT classStyle, HCURSOR cursor,
                                  HBRUSH background) noexcept;
    // Classes of a library outlive it unless they are unregistered at unload.
    static void UnregisterClasses(HINSTANCE module) noexcept;

protected:
    // Handles a message; true when handled (result set). Notifications and
    // commands of a wrapped child are first reflected to the child, and
    // come here too unless the child consumed them.
    virtual bool OnMessage(const Message& message, LRESULT& result);
    // The processing the window would have without this wrapper.
    LRESULT Default(const Message& message) noexcept;
    // After WM_NCDESTROY, when the handle is gone.
    virtual void OnFinalMessage() noexcept {}

    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // False when the window already has a wrapper or there is no memory left.
    bool Bind(HWND hwnd) noexcept;

private:
    enum class Tie { None, Attached, Subclassed, Owned };
    // The message being handled: whether its default processing ran already.
    struct Dispatch {
        const Message& message;
        Dispatch* outer;
        bool defaulted = false;
        LRESULT defaultResult = 0;
    };

    LRESULT HandleMessage(const Message& message);
    LRESULT Recover(const Dispatch& dispatch, WNDPROC fallback) noexcept;
    bool ReflectToChild(const Message& message, LRESULT& result);
    void FinishNcDestroy() noexcept;
    void ReleaseWindow() noexcept;
    void Unbind() noexcept;

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = ::DefWindowProcA;
    Tie tie_ = Tie::None;
    bool handled_ = true;
    Dispatch* dispatch_ = nullptr;
};

// The most-derived level of a window class whose object may die with its
// window still open: the window goes while every level of T still handles
// its messages, so each WM_DESTROY handler runs.
template <class T>
class Final final : public T {
public:
    using T::T;
    ~Final() override { this->DestroyWindow(); }
};

}  // namespace tarvel
