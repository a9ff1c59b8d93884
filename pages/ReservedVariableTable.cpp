#include "pages/ReservedVariableTable.h"

#include "pages/ReservedVariables.h"

namespace tarvel {
namespace {

#define TARVEL_TABLE_ROW(id, text) ReservedVariable{id, text},
constexpr ReservedVariable kReservedVariables[] = {TARVEL_ALL_RESERVED_VARIABLES(TARVEL_TABLE_ROW)};
#undef TARVEL_TABLE_ROW

constexpr char kDollar = '$';

}  // namespace

ReservedVariableList AllReservedVariables() noexcept {
    return {kReservedVariables, sizeof kReservedVariables / sizeof kReservedVariables[0]};
}

const ReservedVariable* FindReservedVariable(unsigned commandId) noexcept {
    for (const ReservedVariable& variable : kReservedVariables) {
        if (variable.commandId == commandId) {
            return &variable;
        }
    }
    return nullptr;
}

bool IsReservedVariableName(std::string_view name) noexcept {
    for (const ReservedVariable& variable : kReservedVariables) {
        const std::string_view text = variable.text;
        if (text.size() == name.size() + 2 && text.front() == kDollar && text.back() == kDollar &&
            text.substr(1, name.size()) == name) {
            return true;
        }
    }
    return false;
}

}  // namespace tarvel
