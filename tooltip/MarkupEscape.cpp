#include "tooltip/MarkupEscape.h"

namespace tarvel {

std::string EscapeMarkupText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else
            out += c;
    }
    return out;
}

}  // namespace tarvel
