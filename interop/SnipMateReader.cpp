#include "interop/SnipMateReader.h"

#include "interop/TextMateBody.h"
#include "interop/VimSnippetFile.h"
#include "store/TextRules.h"

namespace SnipMateReader {

namespace {

constexpr std::string_view kSnippet = "snippet";

void Finish(SourceSnippet& snippet, const std::string& body, std::vector<SourceSnippet>& snippets) {
    auto converted = TextMateBody::Convert(body, TextMateBody::Dialect::Vim);
    snippet.code = std::move(converted.code);
    snippet.losses.insert(snippet.losses.end(), converted.losses.begin(), converted.losses.end());
    snippets.push_back(std::move(snippet));
}

SourceSnippet Header(std::string_view line, int number) {
    const auto rest = TextRules::TrimmedView(line.substr(kSnippet.size()));
    const auto end = std::min(rest.find_first_of(" \t"), rest.size());
    SourceSnippet snippet;
    snippet.line = number;
    snippet.name = std::string(rest.substr(0, end));
    snippet.triggers = {snippet.name};
    snippet.description = std::string(TextRules::TrimmedView(rest.substr(end)));
    return snippet;
}

}  // namespace

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path) {
    std::string languageName;
    const int language = VimSnippetFile::LanguageOf(path, languageName);
    std::vector<SourceSnippet> snippets;
    SourceSnippet snippet;
    bool inSnippet = false;
    std::string body;
    bool hasBody = false;
    int emptyLines = 0;
    const auto lines = VimSnippetFile::LinesOf(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto line = lines[i];
        if (inSnippet && !line.empty() && line.front() == '\t') {
            // Empty lines count only between body lines.
            if (hasBody)
                body += "\r\n";
            for (; emptyLines > 0; --emptyLines)
                body += "\r\n";
            body.append(line.substr(1));
            hasBody = true;
            continue;
        }
        if (inSnippet && line.empty()) {
            ++emptyLines;
            continue;
        }
        if (inSnippet)
            Finish(snippet, body, snippets);
        inSnippet = VimSnippetFile::StartsWithWord(line, kSnippet) &&
                    !TextRules::TrimmedView(line.substr(kSnippet.size())).empty();
        if (inSnippet) {
            snippet = Header(line, static_cast<int>(i + 1));
            snippet.language = language;
            snippet.languageName = languageName;
            body.clear();
            hasBody = false;
            emptyLines = 0;
        }
    }
    if (inSnippet)
        Finish(snippet, body, snippets);
    return snippets;
}

}  // namespace SnipMateReader
