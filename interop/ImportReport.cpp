#include "interop/ImportReport.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "interop/SourceText.h"
#include "store/TemplateLanguage.h"
#include "store/TextRules.h"

namespace tarvel::ImportReport {

namespace {

constexpr const char* kSummary = "%d snippet%s from %d file%s imported as %d entr%s; %d of them lost something.\n";
constexpr const char* kKindCount = "  %s: %d\n";

constexpr std::string_view kAfterFile = ":";
constexpr std::string_view kAfterPart = ": ";
constexpr std::string_view kBetweenLosses = "; ";
// A line number's digits at most, and the summary's room.
constexpr std::size_t kLineDigits = 10;
constexpr std::size_t kSummaryRoom = 1024;

// "file:line: name: ", then each loss.
void AppendSnippetLine(std::string& text, const ImportedSnippet& snippet) {
    text.append(snippet.file).append(kAfterFile).append(std::to_string(snippet.line)).append(kAfterPart);
    text.append(snippet.name).append(kAfterPart);
    for (const auto& loss : snippet.losses)
        text.append(&loss == &snippet.losses.front() ? "" : kBetweenLosses).append(loss.text);
    text += '\n';
}

// At least the bytes of the snippet's line, so that the report is made in
// room taken at once.
std::size_t SnippetLineRoom(const ImportedSnippet& snippet) {
    std::size_t room = snippet.file.size() + kAfterFile.size() + kLineDigits + 2 * kAfterPart.size() +
                       snippet.name.size() + 1;
    for (const auto& loss : snippet.losses)
        room += loss.text.size() + kBetweenLosses.size();
    return room;
}

std::size_t ReportRoom(const ImportResult& result) {
    std::size_t room = kSummaryRoom;
    for (const auto& message : result.fileMessages)
        room += message.size() + 1;
    for (const auto& snippet : result.snippets)
        if (!snippet.losses.empty())
            room += SnippetLineRoom(snippet);
    return room;
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
    text.reserve(ReportRoom(result));
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
        text += SourceText::Filled(kKindCount, {kind, std::to_string(count)});
    return text;
}

}  // namespace tarvel::ImportReport
