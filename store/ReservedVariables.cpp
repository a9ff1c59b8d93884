#include "store/ReservedVariables.h"

namespace ReservedVariables {
namespace {

#define TARVEL_VARIABLE_TEXT(id, text) std::string_view(text),
constexpr std::string_view kVariables[] = {TARVEL_ALL_RESERVED_VARIABLES(TARVEL_VARIABLE_TEXT) TARVEL_LEGACY_VARIABLE};
#undef TARVEL_VARIABLE_TEXT

}  // namespace

bool IsReserved(std::string_view name) noexcept {
    for (const std::string_view variable : kVariables) {
        if (variable.size() == name.size() + 2 && variable.substr(1, name.size()) == name)
            return true;
    }
    return false;
}

}  // namespace ReservedVariables
