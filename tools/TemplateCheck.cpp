#include "tools/TemplateCheck.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace TemplateCheck {

namespace {

// The variables of the code page's Insert menus, and $SCOPE_LINE$, which only
// the legacy conversion produces.
constexpr std::array<std::string_view, 43> kReservedVariables{
    "DATE", "DAY", "DAY_02", "DAYLONGNAME", "DAYNAME", "MONTH", "MONTH_02", "MONTHLONGNAME",
    "MONTHNAME", "YEAR", "YEAR_02",
    "FILE", "FILE_UPPER", "FILE_BASE", "FILE_BASE_UPPER", "FILE_EXT", "FILE_EXT_UPPER",
    "FILE_PATH", "FILE_PATH_UPPER",
    "clipboard", "end", "selected",
    "GUID_DEFINITION", "GUID_STRING", "GUID_STRUCT",
    "HOUR", "HOUR_02", "MINUTE", "SECOND",
    "GeneratedPropertyName", "MethodArg", "MethodArgName", "MethodArgType", "MethodBody",
    "MethodQualifier", "ParameterList", "SymbolContext", "SymbolName", "SymbolPrivileges",
    "SymbolStatic", "SymbolType", "SymbolVirtual",
    "SCOPE_LINE",
};

bool isReserved(std::string_view name)
{
    return std::find(kReservedVariables.begin(), kReservedVariables.end(), name) !=
           kReservedVariables.end();
}

// A name between dollar signs stays on one line and holds no blank.
bool isVariableName(std::string_view name)
{
    return !name.empty() && name.find_first_of(" \t\r\n") == std::string_view::npos;
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

std::vector<std::string> promptNames(const std::string& code)
{
    std::vector<std::string> prompts;
    std::string_view rest(code);
    for (auto open = rest.find('$'); open != std::string_view::npos; open = rest.find('$')) {
        const auto close = rest.find('$', open + 1);
        if (close == std::string_view::npos)
            break;
        const auto name = rest.substr(open + 1, close - open - 1);
        if (!isVariableName(name)) {
            rest.remove_prefix(close);
            continue;
        }
        if (!isReserved(name) && std::find(prompts.begin(), prompts.end(), name) == prompts.end())
            prompts.emplace_back(name);
        rest.remove_prefix(close + 1);
    }
    return prompts;
}

std::vector<std::string> findProblems(const AutotextEntry& entry, const std::string& label)
{
    std::vector<std::string> problems;
    if (entry.title.find(':') != std::string::npos)
        problems.push_back("title " + quoted(entry.title) + " holds a colon, which ends the title in the file");
    if (entry.shortcut.find(':') != std::string::npos)
        problems.push_back("shortcut " + quoted(entry.shortcut) + " holds a colon, which ends the shortcut in the file");
    if (entry.shortcut.find_first_of(" \t\r\n\v\f") != std::string::npos)
        problems.push_back("shortcut " + quoted(entry.shortcut) + " holds white space");
    if (label != (entry.shortcut.empty() ? entry.title : entry.shortcut))
        problems.push_back("label " + quoted(label) + " is neither its shortcut nor its title and is lost at the next save");
    if (entry.code.find('\f') != std::string::npos)
        problems.push_back("code holds a form feed, which ends the record in the file");
    if (entry.description.find('\f') != std::string::npos)
        problems.push_back("description holds a form feed, which ends the readme block in the file");
    const auto prompts = promptNames(entry.code);
    if (prompts.size() > kMaxPrompts)
        problems.push_back(std::to_string(prompts.size()) + " distinct prompts; the prompt dialog shows " +
                           std::to_string(kMaxPrompts));
    return problems;
}

} // namespace TemplateCheck
