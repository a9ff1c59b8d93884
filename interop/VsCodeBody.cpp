#include "interop/VsCodeBody.h"

#include <array>
#include <string>
#include <vector>

#include "interop/SnippetMapping.h"
#include "store/FormatLimits.h"
#include "store/ReservedVariables.h"

namespace VsCodeBody {

namespace {

constexpr std::string_view kEnd = "end";

}  // namespace

void Write(std::string_view code, Sink& sink) {
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
            sink.Literal(piece.text, false);
        } else if (piece.text == kEnd) {
            // Braces always: a digit after it would lengthen the number.
            sink.Syntax("${0}");
        } else if (ReservedVariables::IsReserved(piece.text)) {
            const auto twin = SnippetMapping::VsCodeVariableOf(piece.text);
            sink.Syntax("${");
            sink.Syntax(twin.empty() ? piece.text : twin);
            sink.Syntax("}");
        } else {
            bool first = false;
            const auto number = std::to_string(numberOf(piece.text, first));
            sink.Syntax("${");
            sink.Syntax(number);
            if (first) {
                sink.Syntax(":");
                sink.Literal(piece.text, true);
            }
            sink.Syntax("}");
        }
    });
}

}  // namespace VsCodeBody
