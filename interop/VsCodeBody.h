#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <vector>

#include "store/FormatLimits.h"

// An entry's code as the body of a VS Code snippet, in UTF-8 or ASCII:
// prompts become tab stops numbered in order of first appearance, the first
// one holding the prompt's name as its placeholder and the others mirroring
// it; $end$ becomes ${0}; reserved variables become their VS Code twins, or
// variables of their own name; $ and \ are escaped, and } in a placeholder.
// Reading the body back (TextMateBody) gives the code unchanged.
namespace VsCodeBody {

// A name of the code as the body writes it: a reserved variable as its VS
// Code twin (or its own name), a prompt as a tab stop numbered in order of
// first appearance.
struct Name {
    std::string_view text;
    bool reserved = false;
    std::string_view twin;
    std::size_t number = 0;
};

// The names of one entry's code. An export looks up every name of every
// entry: each is sorted out once per entry, and an entry has a few, kept
// without allocating.
class Names {
public:
    // The name as written; first tells whether it came before.
    const Name& Of(std::string_view text, bool& first);

private:
    const Name& At(std::size_t i) const { return i < few_.size() ? few_[i] : more_[i - few_.size()]; }

    std::array<Name, 16> few_;
    std::vector<Name> more_;
    std::size_t count_ = 0;
    std::size_t prompts_ = 0;
};

// Hands the body to the sink as it is made, in order: literal text of the
// code, which the body syntax escapes ($ and \, and } inside a placeholder),
// through sink.Literal(text, inPlaceholder), and the syntax around the names,
// which needs no escape, through sink.Syntax(text). The sink is a template's
// so that its calls inline: the export writes every entry's code through it.
template <class Sink>
void Write(std::string_view code, Sink& sink) {
    // Room for the syntax around a name: a variable's name of VS Code, or a
    // tab stop's number.
    constexpr std::size_t kLongestSyntax = 48;
    Names names;
    FormatLimits::ForEachPiece(code, [&](const FormatLimits::CodePiece& piece) {
        if (!piece.isName) {
            sink.Literal(piece.text, false);
            return;
        }
        if (piece.text == "end") {
            // Braces always: a digit after it would lengthen the number.
            sink.Syntax("${0}");
            return;
        }
        bool first = false;
        const auto& name = names.Of(piece.text, first);
        // "${TWIN}", "${n}", or "${n:" before the placeholder's text: one
        // piece of syntax, made here.
        std::array<char, kLongestSyntax> syntax{'$', '{'};
        char* end = syntax.data() + 2;
        if (!name.reserved) {
            end = std::to_chars(end, syntax.data() + syntax.size() - 1, name.number).ptr;
            *end++ = first ? ':' : '}';
        } else if (name.twin.size() + 3 <= syntax.size()) {
            end = std::copy(name.twin.begin(), name.twin.end(), end);
            *end++ = '}';
        } else {
            sink.Syntax("${");
            sink.Syntax(name.twin);
            sink.Syntax("}");
            return;
        }
        sink.Syntax({syntax.data(), static_cast<std::size_t>(end - syntax.data())});
        if (first && !name.reserved) {
            sink.Literal(piece.text, true);
            sink.Syntax("}");
        }
    });
}

}  // namespace VsCodeBody
