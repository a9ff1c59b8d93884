#include "interop/ImportReport.h"

#include <map>

#include "store/TemplateLanguage.h"
#include "store/TextRules.h"

namespace ImportReport {

namespace {

constexpr const char* kSnippetLine = "%s:%d: %s: ";
constexpr const char* kSummary = "%d snippets from %d files imported as %d entries; %d of them lost something.\n";
constexpr const char* kKindCount = "  %s: %d\n";

std::string SnippetLine(const ImportedSnippet& snippet) {
    std::string line =
        TextRules::Format(kSnippetLine, snippet.file.c_str(), snippet.line, snippet.name.c_str());
    for (const auto& loss : snippet.losses)
        line.append(&loss == &snippet.losses.front() ? "" : "; ").append(loss.text);
    return line + "\n";
}

}  // namespace

std::string Text(const ImportResult& result) {
    std::string text;
    for (const auto& message : result.fileMessages)
        text += message + "\n";
    std::map<std::string, int> kinds;
    int lost = 0;
    for (const auto& snippet : result.snippets) {
        if (snippet.losses.empty())
            continue;
        text += SnippetLine(snippet);
        lost += snippet.LostSomething() ? 1 : 0;
        for (const auto& loss : snippet.losses)
            ++kinds[loss.KindName()];
    }
    text += TextRules::Format(kSummary, static_cast<int>(result.snippets.size()), result.files,
                              static_cast<int>(result.EntryCount()), lost);
    for (const auto& [kind, count] : kinds)
        text += TextRules::Format(kKindCount, kind.c_str(), count);
    return text;
}

}  // namespace ImportReport
