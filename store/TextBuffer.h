#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace tarvel {

// Text made of many short pieces, as a save or an export makes a file of
// thousands of entries: the room is taken ahead and doubled when it runs out,
// so that adding a piece is a copy, with no call into the string's growth.
class TextBuffer {
public:
    TextBuffer() = default;
    // Writes over the string's bytes, taking them as room: a text made
    // after another one of its size needs no room of its own.
    explicit TextBuffer(std::string room) : text_(std::move(room)) {}

    void Reserve(std::size_t bytes) {
        if (text_.size() - used_ < bytes)
            Grow(bytes);
    }
    void Append(std::string_view piece) {
        // An empty piece may have no bytes at all to copy from.
        if (piece.empty())
            return;
        Reserve(piece.size());
        std::memcpy(text_.data() + used_, piece.data(), piece.size());
        used_ += piece.size();
    }
    void Append(char c) {
        Reserve(1);
        text_[used_++] = c;
    }
    // Room for at most the given bytes, to be written through the pointer;
    // Commit then takes them up to where the writing ended.
    char* Open(std::size_t most) {
        Reserve(most);
        return text_.data() + used_;
    }
    void Commit(const char* end) { used_ = static_cast<std::size_t>(end - text_.data()); }
    std::size_t Size() const { return used_; }
    // Bytes that can be added before the buffer grows.
    std::size_t Room() const { return text_.size() - used_; }
    // The text so far, valid until the buffer changes.
    std::string_view View() const { return std::string_view(text_.data(), used_); }
    // Drops what came after the size.
    void Shorten(std::size_t size) { used_ = std::min(size, used_); }
    // The text; the buffer is empty after.
    std::string Take() {
        text_.resize(used_);
        used_ = 0;
        std::string text = std::move(text_);
        text_.clear();
        return text;
    }

private:
    void Grow(std::size_t bytes) { text_.resize(std::max(2 * text_.size(), used_ + bytes)); }

    std::string text_;
    std::size_t used_ = 0;
};

}  // namespace tarvel
