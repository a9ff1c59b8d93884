#include "tooltip/CHtmlStyleSheet.h"

#include "tooltip/CHtmlStyleContext.h"
#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

std::string WithoutComments(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find("/*", pos);
        if (open == std::string_view::npos)
            break;
        out.append(text.substr(pos, open - pos));
        const std::size_t close = text.find("*/", open + 2);
        pos = close == std::string_view::npos ? text.size() : close + 2;
    }
    if (pos < text.size())
        out.append(text.substr(pos));
    return out;
}

template <typename Each>
void Split(std::string_view text, char separator, Each each) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        each(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

void CHtmlStyleSheet::Parse(std::string_view text) {
    rules_.clear();
    const std::string clean = WithoutComments(text);
    std::string_view rest(clean);
    while (!rest.empty()) {
        const std::size_t open = rest.find('{');
        if (open == std::string_view::npos)
            break;
        const std::size_t close = rest.find('}', open);
        const std::size_t blockEnd = close == std::string_view::npos ? rest.size() : close;
        AddRule(rest.substr(0, open), rest.substr(open + 1, blockEnd - open - 1));
        rest.remove_prefix(std::min(rest.size(), blockEnd + 1));
    }
}

void CHtmlStyleSheet::AddRule(std::string_view selectors, std::string_view block) {
    std::vector<Declaration> declarations;
    Split(block, ';', [&](std::string_view item) {
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos)
            return;
        const std::string_view name = TrimSpaces(item.substr(0, colon));
        if (!name.empty())
            declarations.emplace_back(AsciiLower(name), std::string(TrimSpaces(item.substr(colon + 1))));
    });
    Split(selectors, ',', [&](std::string_view selector) {
        selector = TrimSpaces(selector);
        if (selector.empty())
            return;
        auto& rule = rules_[AsciiLower(selector)];
        rule.insert(rule.end(), declarations.begin(), declarations.end());
    });
}

const std::vector<CHtmlStyleSheet::Declaration>* CHtmlStyleSheet::Rule(std::string_view selector) const {
    const auto it = rules_.find(AsciiLower(selector));
    return it == rules_.end() ? nullptr : &it->second;
}

bool CHtmlStyleSheet::Apply(std::string_view selector, HtmlStyle& style, const CHtmlStyleContext& context) const {
    const auto* rule = Rule(selector);
    if (!rule)
        return false;
    for (const auto& [property, value] : *rule)
        context.ApplyDeclaration(style, property, value);
    return true;
}

}  // namespace tarvel
