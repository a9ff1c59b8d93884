#include "prompt/ClipboardText.h"

#include <cstring>

namespace tarvel {
namespace {

// The clipboard stays open for one read and is closed on every way out.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) noexcept : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool IsOpen() const noexcept { return open_; }

private:
    bool open_;
};

class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) noexcept : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
    ~LockedGlobal() {
        if (data_) {
            ::GlobalUnlock(block_);
        }
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    const char* Data() const noexcept { return static_cast<const char*>(data_); }
    std::size_t Size() const noexcept { return ::GlobalSize(block_); }

private:
    HGLOBAL block_;
    void* data_;
};

}  // namespace

std::optional<std::string> ClipboardText::Read(HWND owner) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    const LockedGlobal text(::GetClipboardData(CF_TEXT));
    if (!text.Data()) {
        return std::string();
    }
    // Another program's block need not hold a terminator.
    const void* end = std::memchr(text.Data(), '\0', text.Size());
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - text.Data()) : text.Size();
    return std::string(text.Data(), length);
}

}  // namespace tarvel
