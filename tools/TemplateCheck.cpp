#include "tools/TemplateCheck.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_set>

#include "store/TemplateReader.h"
#include "store/TextRules.h"

namespace TemplateCheck {

namespace {

// The variables of the code page's Insert menus, and $SCOPE_LINE$, which only
// the legacy conversion produces.
constexpr std::array<std::string_view, 43> kReservedVariables{
    "DATE",
    "DAY",
    "DAY_02",
    "DAYLONGNAME",
    "DAYNAME",
    "MONTH",
    "MONTH_02",
    "MONTHLONGNAME",
    "MONTHNAME",
    "YEAR",
    "YEAR_02",
    "FILE",
    "FILE_UPPER",
    "FILE_BASE",
    "FILE_BASE_UPPER",
    "FILE_EXT",
    "FILE_EXT_UPPER",
    "FILE_PATH",
    "FILE_PATH_UPPER",
    "clipboard",
    "end",
    "selected",
    "GUID_DEFINITION",
    "GUID_STRING",
    "GUID_STRUCT",
    "HOUR",
    "HOUR_02",
    "MINUTE",
    "SECOND",
    "GeneratedPropertyName",
    "MethodArg",
    "MethodArgName",
    "MethodArgType",
    "MethodBody",
    "MethodQualifier",
    "ParameterList",
    "SymbolContext",
    "SymbolName",
    "SymbolPrivileges",
    "SymbolStatic",
    "SymbolType",
    "SymbolVirtual",
    "SCOPE_LINE",
};

bool IsReserved(std::string_view name) {
    return std::find(kReservedVariables.begin(), kReservedVariables.end(), name) != kReservedVariables.end();
}

// A name between dollar signs stays on one line and holds no blank.
bool IsVariableName(std::string_view name) {
    return !name.empty() && name.find_first_of(" \t\r\n") == std::string_view::npos;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class CountingSink : public TreeSink {
public:
    void AppendItem(const std::string&, std::unique_ptr<AutotextEntry> entry) override {
        if (entry)
            ++entries;
    }
    int entries = 0;
};

}  // namespace

std::vector<std::string> PromptNames(const std::string& code) {
    std::vector<std::string> prompts;
    std::unordered_set<std::string_view> seen;
    std::string_view rest(code);
    for (auto open = rest.find('$'); open != std::string_view::npos; open = rest.find('$')) {
        const auto close = rest.find('$', open + 1);
        if (close == std::string_view::npos)
            break;
        const auto name = rest.substr(open + 1, close - open - 1);
        if (!IsVariableName(name)) {
            rest.remove_prefix(close);
            continue;
        }
        if (!IsReserved(name) && seen.insert(name).second)
            prompts.emplace_back(name);
        rest.remove_prefix(close + 1);
    }
    return prompts;
}

std::vector<std::string> FindEntryProblems(const AutotextEntry& entry, const std::string& label) {
    std::vector<std::string> problems;
    if (entry.shortcut.find_first_of(" \t\r\n\v\f") != std::string::npos)
        problems.push_back("shortcut " + Quoted(entry.shortcut) + " holds white space");
    if (label != (entry.shortcut.empty() ? entry.title : entry.shortcut))
        problems.push_back("label " + Quoted(label) +
                           " is neither its shortcut nor its title and is lost at the next save");
    const auto prompts = PromptNames(entry.code);
    if (prompts.size() > kMaxPrompts)
        problems.push_back(std::to_string(prompts.size()) + " distinct prompts; the prompt dialog shows " +
                           std::to_string(kMaxPrompts));
    return problems;
}

std::vector<std::string> FindFileProblems(std::string_view bytes, const std::string& fileName) {
    std::vector<std::string> problems;
    if (TextRules::StartsWithByteOrderMark(bytes))
        problems.push_back("starts with a UTF-8 byte order mark, which the next save leaves out");
    if (TextRules::HasOnlyCarriageReturns(bytes))
        problems.push_back("its lines end with a carriage return alone; the next save ends them with CR LF");
    // A file with no entry at all is kept as it is, and the store says so.
    CountingSink counted;
    TemplateReader reader(0, counted);
    reader.Read(bytes);
    if (reader.DroppedText() && counted.entries > 0)
        problems.push_back("holds text that is part of no entry; the next save keeps the old file as " + fileName +
                           ".bak");
    return problems;
}

std::vector<LineProblem> FindLineProblems(std::string_view bytes) {
    std::vector<LineProblem> problems;
    TextRules::LineCursor lines(bytes);
    std::string_view line;
    bool inBlock = false;
    // Inside a record or readme block the word alone is content and is kept.
    bool inRecord = false;
    for (std::size_t number = 1; lines.Next(line); ++number) {
        if (line.empty())
            continue;
        if (!inBlock && line.find(':') != std::string_view::npos) {
            inBlock = true;
            const auto key = TextRules::KeyBeforeColon(line);
            inRecord = key == "a" || key == "readme";
            if (key != "a")
                continue;
            const std::string shortcut = TextRules::Trim(TextRules::ColonField(line, 2));
            if (shortcut.find(' ') != std::string::npos)
                problems.push_back({number, "shortcut " + Quoted(shortcut) + " holds a space and is read as empty"});
            if (std::count(line.begin(), line.end(), ':') > 3)
                problems.push_back({number,
                                    "a title or shortcut holds a colon: the record header has more than "
                                    "three colons and the text after the third is lost"});
            continue;
        }
        if (!inRecord && TextRules::IsSeparatorLine(line)) {
            problems.push_back({number, "a line holding only \"separator\" is a marker and is not kept"});
            continue;
        }
        const auto formFeed = line.find('\f');
        if (formFeed == std::string_view::npos)
            continue;
        inBlock = false;
        inRecord = false;
        if (!TextRules::TrimmedView(line.substr(formFeed + 1)).empty())
            problems.push_back({number, "code or description holds a form feed: the text after it is lost"});
    }
    return problems;
}

}  // namespace TemplateCheck
