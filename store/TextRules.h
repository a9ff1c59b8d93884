#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/ByteSearch.h"

// Small text helpers shared by the template readers, the writer and the tools.
namespace tarvel::TextRules {

// Space, tab, CR, LF, vertical tab and form feed; tab, LF, vertical tab, FF
// and CR follow each other in ASCII.
inline bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// Plain loops, inline: the readers trim several fields of every entry, most
// of them with nothing to trim.
inline std::string_view TrimmedRightView(std::string_view text) {
    while (!text.empty() && IsWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}
inline std::string_view TrimmedView(std::string_view text) {
    while (!text.empty() && IsWhiteSpace(text.front()))
        text.remove_prefix(1);
    return TrimmedRightView(text);
}
std::string Trim(std::string_view text);
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// The text before the first colon; empty when the line has no colon.
std::string_view KeyBeforeColon(std::string_view line);
// Field n (from 0) of a header line whose fields are separated by every
// colon; empty when the line has fewer fields.
std::string_view ColonField(std::string_view line, std::size_t n);

// A separator marker line holds the word separator and nothing but white
// space other than a form feed.
bool IsSeparatorLine(std::string_view line);
// A header line that marks a file as legacy: its text before the first colon
// is exactly "caretPosChar". Only a line outside a block is a header: inside
// one it is code or description the user typed, which must not turn the
// file into a legacy one. Inline: loading asks it of every header.
constexpr std::string_view kLegacyHeader = "caretPosChar:";
inline bool IsLegacyHeaderLine(std::string_view line) {
    return line.substr(0, kLegacyHeader.size()) == kLegacyHeader;
}
// The header texts of older files, dropped inside a readme block.
bool IsOldHeaderText(std::string_view line);

// A UTF-8 byte order mark, which some editors put at the start of a file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
bool StartsWithByteOrderMark(std::string_view bytes);
// Text of old Macintosh programs: carriage returns and not one line feed.
bool HasOnlyCarriageReturns(std::string_view bytes);

// Walks file bytes line by line: lines end at LF, a CR before the LF is
// dropped, a last line without LF counts, and a file of no bytes has no line.
// A UTF-8 byte order mark at the start is skipped; in a file with CRs and no
// LF at all, each CR ends a line.
class LineCursor {
public:
    explicit LineCursor(std::string_view bytes)
        : bytes_(bytes),
          start_(StartsWithByteOrderMark(bytes) ? kByteOrderMark.size() : 0),
          lineEnd_(HasOnlyCarriageReturns(bytes) ? '\r' : '\n') {}
    // Defined here so that the readers' line loops inline it.
    bool Next(std::string_view& line) {
        if (start_ >= bytes_.size())
            return false;
        auto end = FindByte(bytes_, lineEnd_, start_);
        const bool unterminated = end == std::string_view::npos;
        if (unterminated)
            end = bytes_.size();
        line = bytes_.substr(start_, end - start_);
        if (!unterminated && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        start_ = end + 1;
        return true;
    }
    // Where the next line starts, and going on from another place.
    std::size_t Position() const { return start_; }
    void SkipTo(std::size_t position) { start_ = position; }
    // Whether lines end at LF, so that a CR LF file's lines with their ends
    // are pieces of the bytes.
    bool EndsLinesAtLineFeeds() const { return lineEnd_ == '\n'; }

private:
    std::string_view bytes_;
    std::size_t start_;
    char lineEnd_;
};

// printf-style formatting of the store's message texts.
std::string Format(const char* pattern, ...);

}  // namespace tarvel::TextRules
