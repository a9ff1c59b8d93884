#pragma once

#include <string_view>

// An entry's code as the body of a VS Code snippet, in UTF-8 or ASCII:
// prompts become tab stops numbered in order of first appearance, the first
// one holding the prompt's name as its placeholder and the others mirroring
// it; $end$ becomes ${0}; reserved variables become their VS Code twins, or
// variables of their own name; $ and \ are escaped, and } in a placeholder.
// Reading the body back (TextMateBody) gives the code unchanged.
namespace tarvel::VsCodeBody {

// Takes the body as it is made, in order: literal text of the code, which the
// body syntax escapes ($ and \, and } inside a placeholder), and the syntax
// around the names, which needs no escape. The writer escapes both for JSON
// as they come, in one pass over the text.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void Literal(std::string_view text, bool inPlaceholder) = 0;
    virtual void Syntax(std::string_view text) = 0;
};

void Write(std::string_view code, Sink& sink);

}  // namespace tarvel::VsCodeBody
