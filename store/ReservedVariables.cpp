#include "store/ReservedVariables.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace ReservedVariables {
namespace {

#define TARVEL_VARIABLE_TEXT(id, text) std::string_view(text),
constexpr std::string_view kVariables[] = {TARVEL_ALL_RESERVED_VARIABLES(TARVEL_VARIABLE_TEXT) TARVEL_LEGACY_VARIABLE};
#undef TARVEL_VARIABLE_TEXT

constexpr char kDollar = '$';

bool IsName(std::string_view text) { return !text.empty() && text.find_first_of(" \t\r\n") == std::string_view::npos; }

// Most names are prompts, which seldom begin with a letter a reserved
// variable begins with: those need no look-up.
constexpr std::array<bool, 256> FirstLetters() {
    std::array<bool, 256> letters{};
    for (const std::string_view variable : kVariables)
        letters[static_cast<unsigned char>(variable[1])] = true;
    return letters;
}

}  // namespace

// A table, as every name of every entry an export writes is looked up.
bool IsReserved(std::string_view name) noexcept {
    static constexpr auto kFirstLetters = FirstLetters();
    if (name.empty() || !kFirstLetters[static_cast<unsigned char>(name[0])])
        return false;
    static const std::unordered_set<std::string_view> names = [] {
        std::unordered_set<std::string_view> inner;
        for (const std::string_view variable : kVariables)
            inner.insert(variable.substr(1, variable.size() - 2));
        return inner;
    }();
    return names.count(name) != 0;
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
