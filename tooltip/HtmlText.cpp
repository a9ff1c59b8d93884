#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

constexpr unsigned long long kMaxNumber = 0xFFFFFFFFull;
constexpr unsigned long kMaxResourceId = 0xFFFF;

}  // namespace

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view Unquote(std::string_view text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

std::optional<unsigned long> ParseCNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    unsigned long long value = 0;
    for (char c : text) {
        const int d = DigitValue(c, base);
        if (d < 0)
            return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (value > kMaxNumber)
            return std::nullopt;
    }
    return static_cast<unsigned long>(value);
}

std::optional<unsigned> ParseResourceId(std::string_view text) {
    const auto number = ParseCNumber(TrimSpaces(text));
    if (!number || *number > kMaxResourceId)
        return std::nullopt;
    return static_cast<unsigned>(*number);
}

}  // namespace tarvel
