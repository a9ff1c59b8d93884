#include "prompt/PromptText.h"

namespace tarvel {
namespace {

// The C locale's white space, tested without isspace (whose argument must not
// be a negative char).
bool IsWhiteSpace(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        if (c == '\t') {
            line += ' ';
        } else if (c != '\r' && c != '\n') {
            line += c;
        }
    }
    std::size_t end = line.size();
    while (end > 0 && IsWhiteSpace(line[end - 1])) {
        --end;
    }
    std::size_t start = 0;
    while (start < end && IsWhiteSpace(line[start])) {
        ++start;
    }
    return line.substr(start, end - start);
}

std::string ShortenForDisplay(std::string_view text) {
    std::string line = OneLine(text);
    if (line.size() > kDisplayLength) {
        line.resize(kDisplayLength);
        line += kShortenedMark;
    }
    return line;
}

CaretInsertion PlanInsertAtCaret(EditRange selection) noexcept {
    if (selection.start != selection.end) {
        return {selection, false};
    }
    return {{selection.start, selection.start}, true};
}

}  // namespace tarvel
