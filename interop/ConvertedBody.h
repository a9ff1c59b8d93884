#pragma once

#include <string>
#include <string_view>
#include <utility>
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
    // Appends a variable or prompt, $name$, to the code.
    void WriteName(std::string_view name);
    // The format has no escape for a dollar sign: literal ones that enclose a
    // name become a variable or a prompt. Said when the code's names are not
    // the ones written, in order.
    void NoteDollarSignsReadAsNames();

private:
    bool OnlyNamesWritten() const;

    // Where each name written stands in the code, and its length: the code
    // grows, so no view into it would last.
    std::vector<std::pair<std::size_t, std::size_t>> written_;
};

}  // namespace tarvel
