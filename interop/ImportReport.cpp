#include "interop/ImportReport.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "store/TemplateLanguage.h"
#include "store/TextRules.h"

namespace tarvel::ImportReport {

namespace {

constexpr const char* kSummary = "%d snippet%s from %d file%s imported as %d entr%s; %d of them lost something.\n";
constexpr const char* kKindCount = "  %s: %d\n";

// "file:line: name: ", then each loss.
void AppendSnippetLine(std::string& text, const ImportedSnippet& snippet) {
    text.append(snippet.file).append(":").append(std::to_string(snippet.line)).append(": ");
    text.append(snippet.name).append(": ");
    for (const auto& loss : snippet.losses)
        text.append(&loss == &snippet.losses.front() ? "" : "; ").append(loss.text);
    text += '\n';
}

void Count(std::vector<std::pair<std::string_view, int>>& kinds, std::string_view kind) {
    for (auto& [name, count] : kinds)
        if (name == kind) {
            ++count;
            return;
        }
    kinds.emplace_back(kind, 1);
}

}  // namespace

std::string Text(const ImportResult& result) {
    std::string text;
    for (const auto& message : result.fileMessages)
        text.append(message).append("\n");
    // The kinds' names are the program's own texts: counted by them as they
    // are, a few of them, then put in order.
    std::vector<std::pair<std::string_view, int>> kinds;
    int lost = 0;
    for (const auto& snippet : result.snippets) {
        if (snippet.losses.empty())
            continue;
        AppendSnippetLine(text, snippet);
        lost += snippet.LostSomething() ? 1 : 0;
        for (const auto& loss : snippet.losses)
            Count(kinds, loss.KindName());
    }
    std::sort(kinds.begin(), kinds.end());
    const auto snippets = static_cast<int>(result.snippets.size());
    const auto entries = static_cast<int>(result.EntryCount());
    text += TextRules::Format(kSummary, snippets, snippets == 1 ? "" : "s", result.files, result.files == 1 ? "" : "s",
                              entries, entries == 1 ? "y" : "ies", lost);
    for (const auto& [kind, count] : kinds)
        text += TextRules::Format(kKindCount, std::string(kind).c_str(), count);
    return text;
}

}  // namespace tarvel::ImportReport
