#pragma once

#include <windows.h>

#include <unordered_map>

namespace tarvel {

class CWindow;

// Which wrapper takes the messages of which window. Kept in the module rather
// than on the window: a window property costs a round trip to the window
// server under Wine on every look-up, and nothing that a host, a dialog or a
// control stores on its windows can be taken for a wrapper.
class WrapperTable {
public:
    WrapperTable() = default;
    WrapperTable(const WrapperTable&) = delete;
    WrapperTable& operator=(const WrapperTable&) = delete;

    // False when the window has a wrapper already or memory ran out.
    bool Add(HWND hwnd, CWindow* wrapper) noexcept;
    // Only the given wrapper's entry goes: the window may have a new one.
    void Remove(HWND hwnd, const CWindow* wrapper) noexcept;
    CWindow* Find(HWND hwnd) const noexcept;

private:
    // Windows, and so their wrappers, may live on more than one thread.
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    std::unordered_map<HWND, CWindow*> wrappers_;
};

}  // namespace tarvel
