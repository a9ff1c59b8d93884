#pragma once

#include <cstddef>
#include <string_view>

namespace tarvel {

// One reserved variable of the Insert menus: its command id and the text it
// types, dollar signs included.
struct ReservedVariable {
    unsigned commandId;
    std::string_view text;
};

// Every reserved variable, submenu by submenu in menu order (Refactor last).
struct ReservedVariableList {
    const ReservedVariable* first;
    std::size_t count;
    const ReservedVariable* begin() const noexcept { return first; }
    const ReservedVariable* end() const noexcept { return first + count; }
};
ReservedVariableList AllReservedVariables() noexcept;

// The variable that a menu command types, or null for another command.
const ReservedVariable* FindReservedVariable(unsigned commandId) noexcept;

}  // namespace tarvel
