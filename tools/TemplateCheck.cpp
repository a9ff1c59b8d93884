#include "tools/TemplateCheck.h"

#include <algorithm>
#include <string_view>

#include "store/EntryWarnings.h"
#include "store/FormatLimits.h"
#include "store/TemplateReader.h"
#include "store/TextRules.h"

namespace tarvel::TemplateCheck {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class CountingSink : public TreeSink {
public:
    void AppendItem(std::string_view, std::unique_ptr<AutotextEntry> entry) override {
        if (entry)
            ++entries;
    }
    int entries = 0;
};

}  // namespace

std::vector<std::string> FindEntryProblems(const AutotextEntry& entry, const std::string& label,
                                           const std::vector<AutotextEntry*>& language) {
    std::vector<std::string> problems;
    for (const auto& breach : FormatLimits::Find(entry))
        problems.push_back(breach.text);
    if (label != (entry.shortcut.empty() ? entry.title : entry.shortcut))
        problems.push_back("label " + Quoted(label) +
                           " is neither its shortcut nor its title and is lost at the next save");
    for (const auto warning : EntryWarnings::Find(entry, language))
        if (warning == EntryWarnings::Warning::SharedShortcut)
            problems.push_back("shortcut " + Quoted(entry.shortcut) +
                               " is another entry's of the language too; the host offers both");
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
    // A record's lines are its code, where reading turns "%0" into "$selected$".
    bool inCode = false;
    for (std::size_t number = 1; lines.Next(line); ++number) {
        if (line.empty())
            continue;
        if (!inBlock && line.find(':') != std::string_view::npos) {
            inBlock = true;
            const auto key = TextRules::KeyBeforeColon(line);
            inRecord = key == "a" || key == "readme";
            inCode = key == "a";
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
        if (inCode && line.substr(0, formFeed).find("%0") != std::string_view::npos)
            problems.push_back({number, FormatLimits::Describe(FormatLimits::Limit::PercentZero).text});
        if (formFeed == std::string_view::npos)
            continue;
        inBlock = false;
        inRecord = false;
        inCode = false;
        if (!TextRules::TrimmedView(line.substr(formFeed + 1)).empty())
            problems.push_back({number, "code or description holds a form feed: the text after it is lost"});
    }
    return problems;
}

}  // namespace tarvel::TemplateCheck
