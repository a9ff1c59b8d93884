#pragma once

#include <string>
#include <string_view>

// An entry's code as the body of a VS Code snippet, in UTF-8 or ASCII:
// prompts become tab stops numbered in order of first appearance, the first
// one holding the prompt's name as its placeholder and the others mirroring
// it; $end$ becomes ${0}; reserved variables become their VS Code twins, or
// variables of their own name; $ and \ are escaped, and } in a placeholder.
// Reading the body back (TextMateBody) gives the code unchanged.
namespace VsCodeBody {

// Appends the body of the code.
void Append(std::string& body, std::string_view code);

}  // namespace VsCodeBody
