#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interop/SnippetLoss.h"

namespace tarvel {

// A snippet's body as an entry's code (still in the source's encoding), and
// what of it the code does not hold.
struct ConvertedBody {
    std::string code;
    std::vector<SnippetLoss> losses;

    // Each loss once.
    void Lose(SnippetLoss::Kind kind, std::string_view detail);
    // The format has no escape for a dollar sign: literal ones that enclose a
    // name become a variable or a prompt. Said when the code's names are not
    // the ones written, in order.
    void NoteDollarSignsReadAsNames(const std::vector<std::string>& written);
};

}  // namespace tarvel
