#pragma once

// The reserved variables: the names between dollar signs that the host
// expands itself; every other name is a prompt. The one list that the code
// page's Insert menus, the prompt finder and the template check read. The
// menus type them, grouped by submenu, each as X(command id, text); plain
// macros so that the resource script builds its menus from the same lists.
#define TARVEL_DATE_VARIABLES(X) \
    X(32787, "$DATE$")           \
    X(32823, "$DAY$")            \
    X(32806, "$DAY_02$")         \
    X(32841, "$DAYLONGNAME$")    \
    X(32807, "$DAYNAME$")        \
    X(32788, "$MONTH$")          \
    X(32816, "$MONTH_02$")       \
    X(32840, "$MONTHLONGNAME$")  \
    X(32817, "$MONTHNAME$")      \
    X(32821, "$YEAR$")           \
    X(32831, "$YEAR_02$")

#define TARVEL_FILE_VARIABLES(X)  \
    X(32809, "$FILE$")            \
    X(32837, "$FILE_UPPER$")      \
    X(32810, "$FILE_BASE$")       \
    X(32836, "$FILE_BASE_UPPER$") \
    X(32811, "$FILE_EXT$")        \
    X(32838, "$FILE_EXT_UPPER$")  \
    X(32812, "$FILE_PATH$")       \
    X(32839, "$FILE_PATH_UPPER$")

#define TARVEL_GENERAL_VARIABLES(X) \
    X(32827, "$clipboard$")         \
    X(32808, "$end$")               \
    X(32820, "$selected$")

#define TARVEL_GUID_VARIABLES(X)  \
    X(32824, "$GUID_DEFINITION$") \
    X(32825, "$GUID_STRING$")     \
    X(32826, "$GUID_STRUCT$")

#define TARVEL_TIME_VARIABLES(X) \
    X(32813, "$HOUR$")           \
    X(32814, "$HOUR_02$")        \
    X(32815, "$MINUTE$")         \
    X(32819, "$SECOND$")

// Offered only for entries whose title begins with "Refactor"; built at run time.
#define TARVEL_REFACTOR_VARIABLES(X)    \
    X(29705, "$GeneratedPropertyName$") \
    X(29712, "$MethodArg$")             \
    X(29713, "$MethodArgName$")         \
    X(29714, "$MethodArgType$")         \
    X(29715, "$MethodBody$")            \
    X(29716, "$MethodQualifier$")       \
    X(29717, "$ParameterList$")         \
    X(29719, "$SymbolContext$")         \
    X(29720, "$SymbolName$")            \
    X(29721, "$SymbolPrivileges$")      \
    X(29728, "$SymbolStatic$")          \
    X(29729, "$SymbolType$")            \
    X(29730, "$SymbolVirtual$")

#define TARVEL_ALL_RESERVED_VARIABLES(X) \
    TARVEL_DATE_VARIABLES(X)             \
    TARVEL_FILE_VARIABLES(X)             \
    TARVEL_GENERAL_VARIABLES(X)          \
    TARVEL_GUID_VARIABLES(X)             \
    TARVEL_TIME_VARIABLES(X)             \
    TARVEL_REFACTOR_VARIABLES(X)

// Not on a menu: only the legacy conversion writes it.
#define TARVEL_LEGACY_VARIABLE "$SCOPE_LINE$"

#ifndef RC_INVOKED
#include <string_view>

namespace tarvel::ReservedVariables {

// True when the name (without its dollar signs) is one the host expands
// itself. Case matters: "$date$" is a prompt.
bool IsReserved(std::string_view name) noexcept;

}  // namespace tarvel::ReservedVariables
#endif
