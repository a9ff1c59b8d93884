#pragma once

#include "prompt/LeadBytes.h"
#include "store/FormatLimits.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// The host record carries this many prompt names and value slots.
using FormatLimits::kMaxPrompts;

// A name between dollar signs: [begin, end) spans it with its signs.
struct NamePlace {
    std::size_t begin;
    std::size_t end;
    std::string_view name;
};

// Every name between dollar signs in the code, reserved variables and
// prompts alike, in order. A name holds letters, digits, '_', '-', blanks
// and characters beyond ASCII (the code page's own letters), and neither
// starts nor ends with a blank: "$5 or $10" holds none. When the text after
// a dollar sign is no name, a dollar sign that ends it may open the next one.
std::vector<NamePlace> FindNames(std::string_view code, const LeadBytes& leadBytes = {});

// The prompts of an entry's code as a host finds them: the names that are
// not reserved variables, each once, in order of first appearance.
std::vector<std::string> FindPrompts(std::string_view code, const LeadBytes& leadBytes = {});

// The code with every prompt name between dollar signs replaced by its value
// (values[i] for prompts[i]); other names are left as written.
std::string ExpandPrompts(std::string_view code, const std::vector<std::string>& prompts,
                          const std::vector<std::string>& values, const LeadBytes& leadBytes = {});

}  // namespace tarvel
