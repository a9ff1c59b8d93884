#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "store/TextRules.h"

namespace tarvel {

// Text gathered from the lines of a file's bytes, each line given a CR LF.
// While the lines follow each other in the file with CR LF ends, the text is
// a piece of the file itself, copied only once: when it is taken. The bytes
// must outlive the gathering.
class GatheredText {
public:
    // The line is a view into the bytes; crLfFollows tells whether the bytes
    // end it with CR LF.
    void AppendLine(std::string_view line, bool crLfFollows) {
        if (crLfFollows) {
            AppendPiece(line.data(), line.size() + 2);
            return;
        }
        Flush();
        copied_.append(line).append("\r\n");
    }
    // Part of a line, a view into the bytes, without a line end.
    void AppendPart(std::string_view part) { AppendPiece(part.data(), part.size()); }

    bool IsEmpty() const { return copied_.empty() && pieceSize_ == 0; }
    // Whether anything but white space was gathered.
    bool HoldsText() const {
        return !TextRules::TrimmedView(copied_).empty() ||
               !TextRules::TrimmedView(std::string_view(piece_, pieceSize_)).empty();
    }
    void Clear() {
        copied_.clear();
        pieceSize_ = 0;
    }
    // Whether the text is one piece of the bytes, as the file holds it.
    bool IsPiece() const { return copied_.empty(); }
    std::string_view Piece() const { return std::string_view(piece_, pieceSize_); }
    // Drops a CR LF at the end of the text.
    void RemoveLastLineBreak() {
        constexpr std::string_view kLineBreak = "\r\n";
        if (pieceSize_ > 0) {
            if (Piece().substr(pieceSize_ - std::min(pieceSize_, kLineBreak.size())) == kLineBreak)
                pieceSize_ -= kLineBreak.size();
        } else if (copied_.size() >= kLineBreak.size() &&
                   std::string_view(copied_).substr(copied_.size() - kLineBreak.size()) == kLineBreak) {
            copied_.resize(copied_.size() - kLineBreak.size());
        }
    }
    void CopyTo(std::string& text) const {
        text.reserve(copied_.size() + pieceSize_);
        text.assign(copied_);
        if (pieceSize_ > 0)
            text.append(piece_, pieceSize_);
    }

private:
    void AppendPiece(const char* at, std::size_t size) {
        if (pieceSize_ > 0 && piece_ + pieceSize_ != at)
            Flush();
        if (pieceSize_ == 0)
            piece_ = at;
        pieceSize_ += size;
    }
    // No piece is held before the first line (piece_ may then be null).
    void Flush() {
        if (pieceSize_ == 0)
            return;
        copied_.append(piece_, pieceSize_);
        pieceSize_ = 0;
    }

    std::string copied_;
    const char* piece_ = nullptr;
    std::size_t pieceSize_ = 0;
};

}  // namespace tarvel
