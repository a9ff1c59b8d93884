#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "tooltip/HtmlStyle.h"

namespace tarvel {

class CHtmlStyleContext;

// Rules of a style sheet: a selector (a tag name, ".class", "a:link",
// "a:hover") and its declarations, kept as written and applied over the
// style in force when a tag opens, so percentages and em work from there.
class CHtmlStyleSheet {
public:
    using Declaration = std::pair<std::string, std::string>;

    CHtmlStyleSheet() = default;
    explicit CHtmlStyleSheet(std::string_view text) { Parse(text); }

    // Replaces all rules by those of the text. Several rules may share a
    // line; a selector given twice gets both blocks, the later one winning.
    void Parse(std::string_view text);

    const std::vector<Declaration>* Rule(std::string_view selector) const;
    // Applies the selector's declarations; false when it has no rule.
    bool Apply(std::string_view selector, HtmlStyle& style, const CHtmlStyleContext& context) const;

private:
    void AddRule(std::string_view selectors, std::string_view block);

    std::unordered_map<std::string, std::vector<Declaration>> rules_;
};

}  // namespace tarvel
