#include "interop/SnipMateReader.h"

#include "interop/VimSnippetFile.h"
#include "store/TextRules.h"

namespace tarvel::SnipMateReader {

namespace {

constexpr std::string_view kSnippet = "snippet";

// The body's buffer is kept for the next snippet, so that its room is reused.
void Finish(SourceSnippet& snippet, const std::string& body) {
    snippet.syntax = SourceSnippet::Syntax::Vim;
    snippet.code = body;
}

SourceSnippet Header(std::string_view line, int number) {
    const auto rest = TextRules::TrimmedView(line.substr(kSnippet.size()));
    const auto end = std::min(rest.find_first_of(" \t"), rest.size());
    SourceSnippet snippet;
    snippet.line = number;
    snippet.name = std::string(rest.substr(0, end));
    snippet.triggers.push_back(snippet.name);
    snippet.description = std::string(TextRules::TrimmedView(rest.substr(end)));
    return snippet;
}

bool IsHeader(std::string_view line) {
    return VimSnippetFile::StartsWithWord(line, kSnippet) &&
           !TextRules::TrimmedView(line.substr(kSnippet.size())).empty();
}

// The headers alone, as a file of another language wants them: a header is
// one wherever it stands, as body lines begin with a tab.
std::vector<SourceSnippet> Headers(std::string_view bytes) {
    auto snippets = VimSnippetFile::RoomForSnippetsOf(bytes);
    TextRules::LineCursor lines(bytes);
    std::string_view line;
    for (int number = 1; lines.Next(line); ++number)
        if (IsHeader(line))
            snippets.emplace_back().line = number;
    return snippets;
}

}  // namespace

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path, VimSnippetFile::Reading reading) {
    if (reading == VimSnippetFile::Reading::HeadersOnly)
        return Headers(bytes);
    std::string languageName;
    const int language = VimSnippetFile::LanguageOf(path, languageName);
    auto snippets = VimSnippetFile::RoomForSnippetsOf(bytes);
    bool inSnippet = false;
    std::string body;
    bool hasBody = false;
    int emptyLines = 0;
    TextRules::LineCursor lines(bytes);
    std::string_view line;
    for (int number = 1; lines.Next(line); ++number) {
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
            Finish(snippets.back(), body);
        inSnippet = IsHeader(line);
        if (inSnippet) {
            auto& snippet = snippets.emplace_back(Header(line, number));
            snippet.language = language;
            snippet.languageName = languageName;
            body.clear();
            hasBody = false;
            emptyLines = 0;
        }
    }
    if (inSnippet)
        Finish(snippets.back(), body);
    return snippets;
}

}  // namespace tarvel::SnipMateReader
