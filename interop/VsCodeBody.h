#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "store/TextBuffer.h"

namespace tarvel {

// An entry's code, in UTF-8 or ASCII, as the body of a VS Code snippet,
// written straight into the JSON: each line a string of the body's array.
// Prompts become tab stops numbered in order of first appearance, the first
// one holding the prompt's name as its placeholder and the others mirroring
// it; $end$ becomes ${0}; reserved variables become their VS Code twins, or
// variables of their own name; $ and \ are escaped, and } in a placeholder.
// Reading the body back (TextMateBody) gives the code unchanged.
//
// The names are those FormatLimits::ForEachPiece finds, found here in the
// one pass over the code that escapes it: an export writes every entry's
// code, and its pieces are a few bytes each.
class VsCodeBody {
public:
    explicit VsCodeBody(TextBuffer& out) : out_(out) {}

    // The code between the quotes that open the body's first line and close
    // its last one.
    void Write(std::string_view code);

private:
    // A name of the code as the body writes it: a reserved variable as its VS
    // Code twin (or its own name), a prompt as a tab stop numbered in order
    // of first appearance.
    struct Name {
        std::string_view text;
        std::string_view twin;  // empty for a prompt
        std::size_t number;
    };

    // The name between the dollar signs that open at the place, if they
    // enclose one; its length, else 0.
    static std::size_t NameAt(std::string_view code, std::size_t open);
    void WriteName(std::string_view text);
    // The name as written; first tells whether it came before.
    const Name& NameOf(std::string_view text, bool& first);
    void WritePlaceholder(std::string_view text);

    TextBuffer& out_;
    // The entry's names, kept from entry to entry for their room.
    std::vector<Name> names_;
    std::size_t prompts_ = 0;
};

}  // namespace tarvel
