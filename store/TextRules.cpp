#include "store/TextRules.h"

#include <array>
#include <cstdarg>
#include <cstdio>

namespace tarvel::TextRules {

std::string Trim(std::string_view text) { return std::string(TrimmedView(text)); }

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty() || text.find(from) == std::string::npos)
        return;
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (auto hit = text.find(from); hit != std::string::npos; hit = text.find(from, start)) {
        result.append(text, start, hit - start).append(to);
        start = hit + from.size();
    }
    result.append(text, start, std::string::npos);
    text.swap(result);
}

std::string_view KeyBeforeColon(std::string_view line) {
    const auto colon = line.find(':');
    return colon == std::string_view::npos ? std::string_view() : line.substr(0, colon);
}

std::string_view ColonField(std::string_view line, std::size_t n) {
    for (; n > 0; --n) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            return {};
        line.remove_prefix(colon + 1);
    }
    return line.substr(0, line.find(':'));
}

// A line with a form feed ends its block instead: the writer puts the FF
// right after the last line of the code, which may be the word itself.
bool IsSeparatorLine(std::string_view line) {
    return FindByte(line, '\f') == std::string_view::npos && TrimmedView(line) == "separator";
}

bool IsOldHeaderText(std::string_view line) {
    // Each starts with "A" or "C": the template reader takes a readme text
    // whole when none of its lines does.
    static constexpr std::array<std::string_view, 3> kOldHeaders{
        "Autotext and Code Templates for Quillon X",
        "Code Templates follow. All entry names contain a space.",
        "AutoText follows. None of the entry names contain a space.",
    };
    for (auto header : kOldHeaders)
        if (line == header)
            return true;
    return false;
}

bool StartsWithByteOrderMark(std::string_view bytes) {
    return bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

bool HasOnlyCarriageReturns(std::string_view bytes) {
    return FindByte(bytes, '\n') == std::string_view::npos && FindByte(bytes, '\r') != std::string_view::npos;
}

std::string Format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, pattern, args);
    va_end(args);
    return text;
}

}  // namespace tarvel::TextRules
