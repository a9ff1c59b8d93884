#include "pages/ReservedVariableTable.h"

#include "store/ReservedVariables.h"

namespace tarvel {
namespace {

#define TARVEL_TABLE_ROW(id, text) ReservedVariable{id, text},
constexpr ReservedVariable kReservedVariables[] = {TARVEL_ALL_RESERVED_VARIABLES(TARVEL_TABLE_ROW)};
#undef TARVEL_TABLE_ROW

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

}  // namespace tarvel
