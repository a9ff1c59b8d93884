#include "interop/JsoncText.h"

namespace tarvel {

JsoncText::JsoncText(std::string_view text) : json_(text) { Scan(text); }

// Past the closing quote of the string that starts at the position.
std::size_t JsoncText::SkipString(std::string_view text, std::size_t at) const {
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text[at] == '"')
            return at + 1;
    }
    return text.size();
}

// Blanks the comment at the position, keeping its line breaks; returns the
// position after it.
std::size_t JsoncText::BlankComment(std::size_t at) {
    const bool block = json_[at + 1] == '*';
    const auto end = block ? json_.find("*/", at + 2) : json_.find('\n', at);
    const auto stop = end == std::string::npos ? json_.size() : end + (block ? 2 : 0);
    for (auto i = at; i < stop; ++i)
        if (json_[i] != '\n' && json_[i] != '\r')
            json_[i] = ' ';
    return stop;
}

void JsoncText::Scan(std::string_view text) {
    int depth = 0;
    int line = 1;
    bool expectName = false;
    bool topIsObject = false;
    std::size_t pendingComma = std::string::npos;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        // The JSON parser takes a NUL byte for the end of the text: so do the names.
        if (c == '\0')
            break;
        if (c == '\n') {
            ++line;
            ++at;
            continue;
        }
        if (c == '/' && at + 1 < text.size() && (text[at + 1] == '/' || text[at + 1] == '*')) {
            const auto end = BlankComment(at);
            for (auto i = at; i < end; ++i)
                line += text[i] == '\n';
            at = end;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
            continue;
        }
        if ((c == '}' || c == ']') && pendingComma != std::string::npos)
            json_[pendingComma] = ' ';
        pendingComma = c == ',' ? at : std::string::npos;
        if (c == '"') {
            const auto end = SkipString(text, at);
            if (depth == 1 && expectName)
                names_.push_back({text.substr(at, end - at), line});
            for (auto i = at; i < end; ++i)
                line += text[i] == '\n';
            expectName = false;
            at = end;
            continue;
        }
        if (c == '{' || c == '[') {
            if (++depth == 1)
                topIsObject = c == '{';
        } else if (c == '}' || c == ']') {
            --depth;
        }
        expectName = depth == 1 && topIsObject && (c == ',' || c == '{');
        ++at;
    }
}

}  // namespace tarvel
