#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The host record carries this many prompt names and value slots.
constexpr std::size_t kMaxPrompts = 8;

// The prompts of an entry's code as a host finds them: names between dollar
// signs that are not reserved variables, each once, in order of first
// appearance, at most kMaxPrompts. A name is not empty and stays on one line;
// when the text between two dollar signs is no name, the second one may open
// the next name.
std::vector<std::string> FindPrompts(std::string_view code);

// The code with every prompt name between dollar signs replaced by its value
// (values[i] for prompts[i]); reserved variables are left for the host.
std::string ExpandPrompts(std::string_view code, const std::vector<std::string>& prompts,
                          const std::vector<std::string>& values);

}  // namespace tarvel
