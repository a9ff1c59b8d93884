#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

// A text of an entry. Read from a template file it borrows the file's bytes,
// which the entry keeps (AutotextEntry::source); the first time it is changed
// or wanted as a std::string it takes a string of its own. Files hold tens of
// thousands of entries and the user edits a few, so reading allocates nothing
// per text, and a text takes 12 bytes on a 64-bit system (8 on Win32).
// A copy or a move owns its text: a borrowed text never leaves its entry.
#pragma pack(push, 4)

namespace tarvel {

class EntryText {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    EntryText() noexcept : borrowed_(nullptr) {}
    explicit EntryText(std::string_view text) : borrowed_(nullptr) { *this = text; }
    EntryText(const EntryText& other) : EntryText(other.View()) {}
    EntryText(EntryText&& other) : borrowed_(nullptr) { *this = std::move(other); }
    ~EntryText() { Release(); }

    EntryText& operator=(const EntryText& other) { return *this = other.View(); }
    EntryText& operator=(EntryText&& other) {
        if (&other == this)
            return *this;
        if (!other.IsOwned())
            return *this = other.View();
        Release();
        owned_ = other.owned_;
        size_ = kOwned;
        other.borrowed_ = nullptr;
        other.size_ = 0;
        return *this;
    }
    EntryText& operator=(std::string text) {
        if (IsOwned()) {
            *owned_ = std::move(text);
        } else if (text.empty()) {
            // Nothing needs no string of its own.
            borrowed_ = nullptr, size_ = 0;
        } else {
            owned_ = new std::string(std::move(text));
            size_ = kOwned;
        }
        return *this;
    }
    EntryText& operator=(std::string_view text) {
        if (text.empty() && !IsOwned())
            borrowed_ = nullptr, size_ = 0;
        else
            Owned().assign(text);
        return *this;
    }
    EntryText& operator=(const char* text) { return *this = std::string_view(text); }

    // Takes the bytes without copying them; they must outlive this text.
    void Borrow(std::string_view bytes) {
        if (bytes.size() >= kOwned) {
            *this = bytes;
            return;
        }
        Release();
        borrowed_ = bytes.data();
        size_ = static_cast<std::uint32_t>(bytes.size());
    }

    std::string_view View() const noexcept {
        return IsOwned() ? std::string_view(*owned_) : std::string_view(borrowed_, size_);
    }
    operator std::string_view() const noexcept { return View(); }
    // The text's own string, made on first use; a change to it changes the text.
    std::string& Owned() const {
        if (!IsOwned()) {
            owned_ = new std::string(borrowed_, size_);
            size_ = kOwned;
        }
        return *owned_;
    }
    operator std::string&() { return Owned(); }
    operator const std::string&() const { return Owned(); }

    bool empty() const noexcept { return IsOwned() ? owned_->empty() : size_ == 0; }
    std::size_t size() const noexcept { return View().size(); }
    const char* c_str() const { return Owned().c_str(); }
    std::size_t find(std::string_view text, std::size_t from = 0) const noexcept { return View().find(text, from); }
    std::size_t find(char c, std::size_t from = 0) const noexcept { return View().find(c, from); }
    std::size_t find_first_of(std::string_view chars, std::size_t from = 0) const noexcept {
        return View().find_first_of(chars, from);
    }
    std::string::iterator begin() { return Owned().begin(); }
    std::string::iterator end() { return Owned().end(); }

    EntryText& operator+=(std::string_view text) {
        Owned().append(text);
        return *this;
    }
    friend std::string operator+(std::string text, const EntryText& other) { return text.append(other.View()); }
    friend std::string operator+(char c, const EntryText& other) { return std::string(1, c).append(other.View()); }
    friend std::string operator+(const EntryText& text, std::string_view other) {
        return std::string(text.View()).append(other);
    }
    friend std::string operator+(const EntryText& text, const EntryText& other) { return text + other.View(); }

    friend bool operator==(const EntryText& one, const EntryText& other) noexcept {
        return one.View() == other.View();
    }
    friend bool operator==(const EntryText& text, std::string_view other) noexcept { return text.View() == other; }
    friend bool operator==(std::string_view other, const EntryText& text) noexcept { return text.View() == other; }
    friend bool operator!=(const EntryText& one, const EntryText& other) noexcept { return !(one == other); }
    friend bool operator!=(const EntryText& text, std::string_view other) noexcept { return !(text == other); }
    friend bool operator!=(std::string_view other, const EntryText& text) noexcept { return !(text == other); }
    friend std::ostream& operator<<(std::ostream& out, const EntryText& text) { return out << text.View(); }

private:
    // The size that marks an owned text; a longer borrowed one is copied.
    static constexpr std::uint32_t kOwned = UINT32_MAX;

    bool IsOwned() const noexcept { return size_ == kOwned; }
    void Release() noexcept {
        if (IsOwned())
            delete owned_;
        borrowed_ = nullptr;
        size_ = 0;
    }

    union {
        mutable const char* borrowed_;
        mutable std::string* owned_;
    };
    mutable std::uint32_t size_ = 0;
};
#pragma pack(pop)

}  // namespace tarvel
