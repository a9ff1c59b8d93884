#include "store/ReservedVariables.h"

#include <array>
#include <vector>

namespace tarvel::ReservedVariables {
namespace {

#define TARVEL_VARIABLE_TEXT(id, text) std::string_view(text),
constexpr std::string_view kVariables[] = {TARVEL_ALL_RESERVED_VARIABLES(TARVEL_VARIABLE_TEXT) TARVEL_LEGACY_VARIABLE};
#undef TARVEL_VARIABLE_TEXT

// The names without their dollar signs, by length: a name is compared only
// with those as long as it, as every name of every entry an export writes is
// looked up.
constexpr std::size_t kLongestName = 31;

constexpr bool AllFit() {
    for (const std::string_view variable : kVariables)
        if (variable.size() - 2 > kLongestName)
            return false;
    return true;
}
static_assert(AllFit(), "a reserved variable is longer than the look-up holds");

using NamesByLength = std::array<std::vector<std::string_view>, kLongestName + 1>;

NamesByLength SortedByLength() {
    NamesByLength names;
    for (const std::string_view variable : kVariables)
        names[variable.size() - 2].push_back(variable.substr(1, variable.size() - 2));
    return names;
}

}  // namespace

bool IsReserved(std::string_view name) noexcept {
    static const NamesByLength names = SortedByLength();
    if (name.empty() || name.size() > kLongestName)
        return false;
    for (const auto variable : names[name.size()])
        if (variable[0] == name[0] && variable == name)
            return true;
    return false;
}

}  // namespace tarvel::ReservedVariables
