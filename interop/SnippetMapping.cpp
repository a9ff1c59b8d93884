#include "interop/SnippetMapping.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "store/TemplateLanguage.h"

namespace tarvel::SnippetMapping {

namespace {

using Names = std::array<std::string_view, 3>;

struct LanguageRow {
    int language;
    Names vsCode;  // the first one is written
    Names vim;
    Names sublime;
    Names jetBrains;
};

constexpr std::array<LanguageRow, TemplateLanguage::kCount> kLanguages{{
    {0, {"cpp", "c", "cuda-cpp"}, {"cpp", "c", "cuda"}, {"source.c++", "source.c", "source.cuda-c++"}, {"CPP", "C", "OC"}},
    {1, {"csharp"}, {"cs", "csharp"}, {"source.cs"}, {"CSHARP", "C_SHARP"}},
    {2, {"html"}, {"html", "xhtml"}, {"text.html"}, {"HTML", "XHTML"}},
    {3, {"java"}, {"java"}, {"source.java"}, {"JAVA"}},
    {4, {"javascript", "javascriptreact"}, {"javascript", "js"}, {"source.js"}, {"JAVA_SCRIPT", "JS"}},
    {5, {"perl"}, {"perl"}, {"source.perl"}, {"PERL"}},
    {6, {"plaintext", "text"}, {"text", "txt"}, {"text.plain"}, {"OTHER"}},
    {7, {"vb"}, {"vb", "vbnet"}, {"source.vbs", "source.vb", "source.asp"}, {"VB"}},
}};

// Variables are given in one column each: the reserved variable, its twin in
// VS Code (written on export, read on import), Vim's, and JetBrains'.
struct VariableRow {
    std::string_view reserved;
    std::string_view vsCode;
    std::string_view vim;
    std::string_view jetBrains;
};

constexpr std::array<VariableRow, 18> kVariables{{
    {"selected", "TM_SELECTED_TEXT", "VISUAL", "SELECTION"},
    {"selected", "SELECTION", "", ""},
    {"clipboard", "CLIPBOARD", "", ""},
    {"end", "", "", "END"},
    {"YEAR", "CURRENT_YEAR", "", ""},
    {"YEAR_02", "CURRENT_YEAR_SHORT", "", ""},
    {"MONTH_02", "CURRENT_MONTH", "", ""},
    {"MONTHLONGNAME", "CURRENT_MONTH_NAME", "", ""},
    {"MONTHNAME", "CURRENT_MONTH_NAME_SHORT", "", ""},
    {"DAY_02", "CURRENT_DATE", "", ""},
    {"DAYLONGNAME", "CURRENT_DAY_NAME", "", ""},
    {"DAYNAME", "CURRENT_DAY_NAME_SHORT", "", ""},
    {"HOUR_02", "CURRENT_HOUR", "", ""},
    {"MINUTE", "CURRENT_MINUTE", "", ""},
    {"SECOND", "CURRENT_SECOND", "", ""},
    {"FILE", "TM_FILENAME", "", ""},
    {"FILE_BASE", "TM_FILENAME_BASE", "", ""},
    {"FILE_PATH", "TM_FILEPATH", "", ""},
}};

bool SameLetters(std::string_view one, std::string_view other) {
    return one.size() == other.size() && std::equal(one.begin(), one.end(), other.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool Holds(const Names& names, std::string_view name) {
    return !name.empty() && std::find(names.begin(), names.end(), name) != names.end();
}

template <class Column>
int LanguageWhere(Column column) {
    for (const auto& row : kLanguages)
        if (column(row))
            return row.language;
    return kNoLanguage;
}

// A scope names the language when it is the table's scope or one below it
// ("text.html.basic" under "text.html").
bool ScopeIsUnder(std::string_view scope, std::string_view parent) {
    return !parent.empty() && scope.substr(0, parent.size()) == parent &&
           (scope.size() == parent.size() || scope[parent.size()] == '.');
}

// A context names the language when it is the table's or starts with it and
// an underscore ("JAVA_STATEMENT"); the longest match wins, so that
// "JAVA_SCRIPT" is JavaScript and not Java.
std::size_t ContextMatch(std::string_view context, std::string_view name) {
    if (name.empty() || context.substr(0, name.size()) != name)
        return 0;
    return context.size() == name.size() || context[name.size()] == '_' ? name.size() : 0;
}

template <class Column>
std::string_view TwinWhere(std::string_view name, Column column) {
    for (const auto& row : kVariables)
        if (!name.empty() && column(row) == name)
            return row.reserved;
    return {};
}

}  // namespace

int LanguageOfVsCodeId(std::string_view id) {
    return LanguageWhere([id](const LanguageRow& row) { return Holds(row.vsCode, id); });
}

int LanguageOfVimFiletype(std::string_view filetype) {
    return LanguageWhere([filetype](const LanguageRow& row) { return Holds(row.vim, filetype); });
}

int LanguageOfSublimeScope(std::string_view selector) {
    std::size_t start = 0;
    while (start < selector.size()) {
        const auto end = std::min(selector.find_first_of(", ", start), selector.size());
        const auto scope = selector.substr(start, end - start);
        const int language = LanguageWhere([scope](const LanguageRow& row) {
            return std::any_of(row.sublime.begin(), row.sublime.end(),
                               [scope](std::string_view parent) { return ScopeIsUnder(scope, parent); });
        });
        if (language != kNoLanguage)
            return language;
        start = end + 1;
    }
    return kNoLanguage;
}

int LanguageOfJetBrainsContext(std::string_view context) {
    int best = kNoLanguage;
    std::size_t bestLength = 0;
    for (const auto& row : kLanguages)
        for (auto name : row.jetBrains)
            if (ContextMatch(context, name) > bestLength) {
                bestLength = ContextMatch(context, name);
                best = row.language;
            }
    return best;
}

int LanguageNamed(std::string_view name) {
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        const auto& templateLanguage = TemplateLanguage::At(language);
        const std::string_view fileName = templateLanguage.fileName;
        if (SameLetters(name, templateLanguage.rootLabel) || SameLetters(name, fileName) ||
            SameLetters(name, fileName.substr(0, fileName.find('.'))))
            return language;
    }
    for (const auto& row : kLanguages)
        for (auto id : row.vsCode)
            if (!id.empty() && SameLetters(name, id))
                return row.language;
    return kNoLanguage;
}

std::string_view VsCodeIdOf(int language) { return kLanguages[language].vsCode[0]; }

std::string VsCodeScopeOf(int language) {
    std::string scope;
    for (auto id : kLanguages[language].vsCode)
        if (!id.empty())
            scope.append(scope.empty() ? "" : ",").append(id);
    return scope;
}

std::string_view ReservedTwinOfVariable(std::string_view name) {
    const auto twin = TwinWhere(name, [](const VariableRow& row) { return row.vsCode; });
    return twin.empty() ? TwinWhere(name, [](const VariableRow& row) { return row.vim; }) : twin;
}

std::string_view ReservedTwinOfJetBrainsVariable(std::string_view name) {
    return TwinWhere(name, [](const VariableRow& row) { return row.jetBrains; });
}

std::string_view VsCodeVariableOf(std::string_view reserved) {
    for (const auto& row : kVariables)
        if (row.reserved == reserved && !row.vsCode.empty())
            return row.vsCode;
    return {};
}

}  // namespace tarvel::SnippetMapping
