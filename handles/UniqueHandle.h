#pragma once

#include <windows.h>

#include <utility>

namespace tarvel {

// One owner for every kind of handle: the policy names the type, the empty
// value and how to free it. Movable, never copied; freeing keeps GetLastError
// so a failing call can still be reported after its handles were cleaned up.
template <class Policy>
class UniqueHandle {
public:
    using Handle = typename Policy::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    template <class... Extra>
    UniqueHandle(Handle handle, Extra&&... extra) noexcept : handle_(handle), policy_(std::forward<Extra>(extra)...) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()), policy_(std::move(other.policy_)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.handle_);
            other.handle_ = Policy::Invalid();
            policy_ = std::move(other.policy_);
        }
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    // For a call that hands its handle out through a pointer: frees the
    // current one and lets the call fill the empty owner.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }
    explicit operator bool() const noexcept { return handle_ != Policy::Invalid(); }

    Handle release() noexcept {
        Handle handle = handle_;
        handle_ = Policy::Invalid();
        return handle;
    }

    void reset(Handle handle = Policy::Invalid()) noexcept {
        if (handle_ != Policy::Invalid() && handle_ != handle) {
            const DWORD lastError = ::GetLastError();
            policy_.Close(handle_);
            ::SetLastError(lastError);
        }
        handle_ = handle;
    }

    const Policy& policy() const noexcept { return policy_; }

private:
    Handle handle_ = Policy::Invalid();
    Policy policy_;
};

namespace handle_policy {

template <class T, class Fn, Fn closer>
struct Simple {
    using Handle = T;
    static constexpr T Invalid() noexcept { return T{}; }
    void Close(T handle) const noexcept { closer(handle); }
};

inline void DestroyWindowQuietly(HWND hwnd) noexcept {
    if (::IsWindow(hwnd)) {
        ::DestroyWindow(hwnd);
    }
}
inline void DeleteGdiObject(HGDIOBJ object) noexcept { ::DeleteObject(object); }
inline void DestroyMenuHandle(HMENU menu) noexcept { ::DestroyMenu(menu); }
inline void DeleteMemoryDC(HDC dc) noexcept { ::DeleteDC(dc); }
inline void CloseKey(HKEY key) noexcept { ::RegCloseKey(key); }
inline void ReleaseLibrary(HMODULE module) noexcept { ::FreeLibrary(module); }
inline void CloseKernelHandle(HANDLE handle) noexcept { ::CloseHandle(handle); }
inline void FreeLocalMemory(HLOCAL memory) noexcept { ::LocalFree(memory); }

template <class T>
using Gdi = Simple<T, void (*)(HGDIOBJ) noexcept, DeleteGdiObject>;

// A DC from GetDC belongs to a window and goes back to it.
struct WindowDC {
    using Handle = HDC;
    WindowDC() noexcept = default;
    explicit WindowDC(HWND owner) noexcept : window(owner) {}
    static constexpr HDC Invalid() noexcept { return nullptr; }
    void Close(HDC dc) const noexcept { ::ReleaseDC(window, dc); }
    HWND window = nullptr;
};

// CreateFile and friends report failure as INVALID_HANDLE_VALUE, others as null.
struct FileHandle {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    void Close(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};

// CreateActCtx also fails with INVALID_HANDLE_VALUE.
struct ActCtx {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    void Close(HANDLE context) const noexcept { ::ReleaseActCtx(context); }
};

}  // namespace handle_policy

using UniqueHwnd =
    UniqueHandle<handle_policy::Simple<HWND, void (*)(HWND) noexcept, handle_policy::DestroyWindowQuietly>>;
using UniqueFont = UniqueHandle<handle_policy::Gdi<HFONT>>;
using UniqueBitmap = UniqueHandle<handle_policy::Gdi<HBITMAP>>;
using UniqueBrush = UniqueHandle<handle_policy::Gdi<HBRUSH>>;
using UniquePen = UniqueHandle<handle_policy::Gdi<HPEN>>;
using UniqueRegion = UniqueHandle<handle_policy::Gdi<HRGN>>;
using UniqueMenu =
    UniqueHandle<handle_policy::Simple<HMENU, void (*)(HMENU) noexcept, handle_policy::DestroyMenuHandle>>;
using UniqueMemoryDC = UniqueHandle<handle_policy::Simple<HDC, void (*)(HDC) noexcept, handle_policy::DeleteMemoryDC>>;
using UniqueWindowDC = UniqueHandle<handle_policy::WindowDC>;
using UniqueKey = UniqueHandle<handle_policy::Simple<HKEY, void (*)(HKEY) noexcept, handle_policy::CloseKey>>;
using UniqueModule =
    UniqueHandle<handle_policy::Simple<HMODULE, void (*)(HMODULE) noexcept, handle_policy::ReleaseLibrary>>;
using UniqueKernelHandle =
    UniqueHandle<handle_policy::Simple<HANDLE, void (*)(HANDLE) noexcept, handle_policy::CloseKernelHandle>>;
using UniqueFileHandle = UniqueHandle<handle_policy::FileHandle>;
using UniqueActCtx = UniqueHandle<handle_policy::ActCtx>;
// Memory that a call allocated with LocalAlloc for its caller (FormatMessage's buffer).
template <class T = void>
using UniqueLocalMemory =
    UniqueHandle<handle_policy::Simple<T*, void (*)(HLOCAL) noexcept, handle_policy::FreeLocalMemory>>;

}  // namespace tarvel
