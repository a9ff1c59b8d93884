#include "editor/CappedPreview.h"

#include "editor/EditorTexts.h"

#include <cstdio>

namespace tarvel {

namespace {

constexpr char kLineBreak[] = "\r\n";
constexpr char kCut[] = "...";

}  // namespace

// Lines are added one by one while the text with its note of the lines left
// still fits, so the text last found to fit is the one returned, and no more
// of a long entry is measured than is shown.
std::string CappedPreview::Text(const std::string& code) const {
    const std::vector<std::string> lines = Lines(code);
    std::string shown;
    size_t count = 0;
    for (const std::string& line : lines) {
        std::string more = shown + (count ? kLineBreak : "") + CutToWidth(line);
        const size_t left = lines.size() - count - 1;
        if (!Fits(left ? more + kLineBreak + MoreLines(left) : more))
            break;
        shown = std::move(more);
        ++count;
    }
    const size_t left = lines.size() - count;
    return left == 0 ? shown : shown + (count ? kLineBreak : "") + MoreLines(left);
}

bool CappedPreview::Fits(const std::string& text) const {
    const SIZE size = measure_(text);
    return size.cx <= room_.cx && size.cy <= room_.cy;
}

bool CappedPreview::FitsWidth(const std::string& text) const { return measure_(text).cx <= room_.cx; }

// The longest start of the line, on a character boundary of the ANSI code
// page, that fits with "..." after it.
std::string CappedPreview::CutToWidth(const std::string& line) const {
    if (FitsWidth(line))
        return line;
    std::vector<size_t> ends;
    for (const char* at = line.c_str(); *at != '\0';) {
        at = ::CharNextExA(CP_ACP, at, 0);
        ends.push_back(static_cast<size_t>(at - line.c_str()));
    }
    size_t low = 0;
    size_t high = ends.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (FitsWidth(line.substr(0, ends[middle - 1]) + kCut))
            low = middle;
        else
            high = middle - 1;
    }
    return line.substr(0, low ? ends[low - 1] : 0) + kCut;
}

// CR LF and LF both end a line.
std::vector<std::string> CappedPreview::Lines(const std::string& code) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = code.find('\n'); end != std::string::npos; end = code.find('\n', start)) {
        const size_t length = end > start && code[end - 1] == '\r' ? end - 1 - start : end - start;
        lines.push_back(code.substr(start, length));
        start = end + 1;
    }
    lines.push_back(code.substr(start));
    return lines;
}

std::string CappedPreview::MoreLines(size_t count) {
    char text[64];
    std::snprintf(text, sizeof text, count == 1 ? EditorTexts::kOneMoreLine : EditorTexts::kMoreLines, count);
    return text;
}

}  // namespace tarvel
