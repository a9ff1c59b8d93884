#include "interop/VsCodeBody.h"

#include <map>

#include "interop/SnippetMapping.h"
#include "store/FormatLimits.h"

namespace VsCodeBody {

namespace {

constexpr std::string_view kEnd = "end";

void AppendEscaped(std::string& body, std::string_view text) {
    for (const char c : text) {
        if (c == '$' || c == '}' || c == '\\')
            body += '\\';
        body += c;
    }
}

}  // namespace

std::string FromCode(std::string_view code) {
    std::string body;
    body.reserve(code.size() + code.size() / 8);
    std::map<std::string_view, int> numbers;
    for (const auto& piece : FormatLimits::SplitAtNames(code)) {
        if (!piece.isName) {
            AppendEscaped(body, piece.text);
        } else if (piece.text == kEnd) {
            // Braces always: a digit after it would lengthen the number.
            body += "${0}";
        } else if (FormatLimits::IsReservedVariable(piece.text)) {
            const auto twin = SnippetMapping::VsCodeVariableOf(piece.text);
            body.append("${").append(twin.empty() ? piece.text : twin).append("}");
        } else {
            const auto [number, first] = numbers.emplace(piece.text, static_cast<int>(numbers.size()) + 1);
            body.append("${").append(std::to_string(number->second));
            if (first) {
                body += ':';
                AppendEscaped(body, piece.text);
            }
            body += '}';
        }
    }
    return body;
}

}  // namespace VsCodeBody
