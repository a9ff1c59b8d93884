#include "widgets/WrapperTable.h"

namespace tarvel {
namespace {

struct ExclusiveLock {
    explicit ExclusiveLock(SRWLOCK& lock) noexcept : lock(lock) { ::AcquireSRWLockExclusive(&lock); }
    ~ExclusiveLock() { ::ReleaseSRWLockExclusive(&lock); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    SRWLOCK& lock;
};

}  // namespace

bool WrapperTable::Add(HWND hwnd, CWindow* wrapper) noexcept {
    ExclusiveLock scope(lock_);
    try {
        return wrappers_.emplace(hwnd, wrapper).second;
    } catch (...) {
        return false;
    }
}

void WrapperTable::Remove(HWND hwnd, const CWindow* wrapper) noexcept {
    ExclusiveLock scope(lock_);
    const auto found = wrappers_.find(hwnd);
    if (found != wrappers_.end() && found->second == wrapper) {
        wrappers_.erase(found);
    }
}

CWindow* WrapperTable::Find(HWND hwnd) const noexcept {
    ::AcquireSRWLockShared(&lock_);
    const auto found = wrappers_.find(hwnd);
    CWindow* wrapper = found == wrappers_.end() ? nullptr : found->second;
    ::ReleaseSRWLockShared(&lock_);
    return wrapper;
}

}  // namespace tarvel
