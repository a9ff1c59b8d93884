#include "store/ReservedVariables.h"

#include <algorithm>

namespace ReservedVariables {
namespace {

#define TARVEL_VARIABLE_TEXT(id, text) std::string_view(text),
constexpr std::string_view kVariables[] = {TARVEL_ALL_RESERVED_VARIABLES(TARVEL_VARIABLE_TEXT) TARVEL_LEGACY_VARIABLE};
#undef TARVEL_VARIABLE_TEXT

constexpr char kDollar = '$';

bool IsName(std::string_view text) { return !text.empty() && text.find_first_of(" \t\r\n") == std::string_view::npos; }

}  // namespace

bool IsReserved(std::string_view name) noexcept {
    for (const std::string_view variable : kVariables) {
        if (variable.size() == name.size() + 2 && variable.substr(1, name.size()) == name)
            return true;
    }
    return false;
}

std::vector<std::string> PromptNames(std::string_view code) {
    std::vector<std::string> prompts;
    std::size_t from = 0;
    for (auto open = code.find(kDollar); open != std::string_view::npos; open = code.find(kDollar, from)) {
        const auto close = code.find(kDollar, open + 1);
        if (close == std::string_view::npos)
            break;
        const auto name = code.substr(open + 1, close - open - 1);
        if (!IsName(name)) {
            from = close;
            continue;
        }
        if (!IsReserved(name) && std::find(prompts.begin(), prompts.end(), name) == prompts.end())
            prompts.emplace_back(name);
        from = close + 1;
    }
    return prompts;
}

}  // namespace ReservedVariables
