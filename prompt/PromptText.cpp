#include "prompt/PromptText.h"

namespace tarvel {
namespace {

// The C locale's white space, tested without isspace (whose argument must not
// be a negative char).
bool IsWhiteSpace(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trimmed(const std::string& line) {
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
    return Trimmed(line);
}

std::string ShortenForDisplay(std::string_view text, const LeadBytes& leadBytes) {
    std::string line = OneLine(text);
    if (line.size() > kDisplayLength) {
        line.resize(leadBytes.BoundaryAtOrBefore(line, kDisplayLength));
        line += kShortenedMark;
    }
    return line;
}

std::string JoinLines(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    bool inBreak = false;
    for (const char c : text) {
        const bool lineBreak = c == '\r' || c == '\n';
        if (lineBreak && !inBreak) {
            line += ' ';
        } else if (!lineBreak) {
            line += c == '\t' ? ' ' : c;
        }
        inBreak = lineBreak;
    }
    return Trimmed(line);
}

std::string FitToWidth(std::string_view text, long width, const TextWidth& widthOf, const LeadBytes& leadBytes) {
    if (widthOf(text) <= width) {
        return std::string(text);
    }
    // The widest start that fits: cut points are searched by halving.
    std::size_t fits = 0;
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        std::string candidate(text.substr(0, middle));
        candidate += kShortenedMark;
        (widthOf(candidate) <= width ? fits : tooLong) = middle;
    }
    std::string fitted(text.substr(0, leadBytes.BoundaryAtOrBefore(text, fits)));
    return fitted + std::string(kShortenedMark);
}

CaretInsertion PlanInsertAtCaret(EditRange selection) noexcept {
    if (selection.start != selection.end) {
        return {selection, false};
    }
    return {{selection.start, selection.start}, true};
}

}  // namespace tarvel
