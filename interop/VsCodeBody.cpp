#include "interop/VsCodeBody.h"

#include <array>
#include <vector>

#include "interop/SnippetMapping.h"
#include "store/FormatLimits.h"

namespace VsCodeBody {

namespace {

constexpr std::string_view kEnd = "end";

// Runs without a character to escape are copied whole. A closing brace
// needs its escape only inside a placeholder.
void AppendEscaped(std::string& body, std::string_view text, bool inPlaceholder) {
    std::size_t plain = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c != '$' && c != '\\' && (c != '}' || !inPlaceholder))
            continue;
        body.append(text.data() + plain, at - plain).append(1, '\\');
        plain = at;
    }
    body.append(text.data() + plain, text.size() - plain);
}

}  // namespace

void Append(std::string& body, std::string_view code) {
    // The prompts in order of first appearance; an entry has a few, kept
    // without allocating.
    std::array<std::string_view, 16> few;
    std::vector<std::string_view> more;
    std::size_t count = 0;
    const auto numberOf = [&](std::string_view prompt, bool& first) {
        for (std::size_t i = 0; i < count; ++i)
            if ((i < few.size() ? few[i] : more[i - few.size()]) == prompt)
                return i + 1;
        first = true;
        if (count < few.size())
            few[count] = prompt;
        else
            more.push_back(prompt);
        return ++count;
    };
    FormatLimits::ForEachPiece(code, [&](const FormatLimits::CodePiece& piece) {
        if (!piece.isName) {
            AppendEscaped(body, piece.text, false);
        } else if (piece.text == kEnd) {
            // Braces always: a digit after it would lengthen the number.
            body += "${0}";
        } else if (FormatLimits::IsReservedVariable(piece.text)) {
            const auto twin = SnippetMapping::VsCodeVariableOf(piece.text);
            body.append("${").append(twin.empty() ? piece.text : twin).append("}");
        } else {
            bool first = false;
            const auto number = numberOf(piece.text, first);
            body.append("${").append(std::to_string(number));
            if (first) {
                body += ':';
                AppendEscaped(body, piece.text, true);
            }
            body += '}';
        }
    });
}

}  // namespace VsCodeBody
