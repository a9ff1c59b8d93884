#include "interop/UltiSnipsReader.h"

#include <algorithm>
#include <array>

#include "interop/VimSnippetFile.h"
#include "store/TextRules.h"

namespace tarvel::UltiSnipsReader {

namespace {

using TextRules::TrimmedView;

constexpr std::string_view kSnippet = "snippet";
constexpr std::string_view kEndSnippet = "endsnippet";
constexpr std::string_view kGlobal = "global";
constexpr std::string_view kEndGlobal = "endglobal";
constexpr std::array<std::string_view, 4> kActions{"context", "pre_expand", "post_expand", "post_jump"};
constexpr char kRegexOption = 'r';

std::size_t WordCount(std::string_view text) {
    std::size_t words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t';
        words += !blank && !inWord;
        inWord = !blank;
    }
    return words;
}

std::string_view LastWord(std::string_view text) {
    text = TextRules::TrimmedRightView(text);
    const auto blank = text.find_last_of(" \t");
    return blank == std::string_view::npos ? text : text.substr(blank + 1);
}

// As UltiSnips splits its header: options after a closing quote, then the
// description in quotes, then the trigger, enclosed in one character when it
// has several words or is a regular expression.
void ReadHeader(std::string_view line, int number, SourceSnippet& snippet) {
    auto rest = TrimmedView(line.substr(kSnippet.size()));
    std::string_view options;
    if (WordCount(rest) > 2) {
        const auto last = LastWord(rest);
        const auto beforeLast = LastWord(TrimmedView(rest.substr(0, rest.size() - last.size())));
        if (last.find('"') == std::string_view::npos && !beforeLast.empty() && beforeLast.back() == '"') {
            options = last;
            rest = TrimmedView(rest.substr(0, rest.size() - last.size()));
        }
    }
    if (WordCount(rest) > 1 && rest.back() == '"') {
        const auto left = rest.substr(0, rest.size() - 1).rfind('"');
        if (left != std::string_view::npos && left != 0) {
            snippet.description = std::string(rest.substr(left + 1, rest.size() - left - 2));
            rest = TrimmedView(rest.substr(0, left));
        }
    }
    const bool regex = options.find(kRegexOption) != std::string_view::npos;
    if (WordCount(rest) > 1 || regex) {
        if (rest.size() < 2 || rest.front() != rest.back())
            throw SourceError(number, "a trigger of several words is not enclosed in one character: " +
                                          std::string(rest));
        rest = rest.substr(1, rest.size() - 2);
    }
    snippet.line = number;
    snippet.name = std::string(rest);
    snippet.triggers.push_back(regex ? std::string() : snippet.name);
    if (regex)
        snippet.losses.push_back(SnippetLoss::Of(SnippetLoss::Kind::RegexTrigger, rest));
    std::string others(options);
    others.erase(std::remove(others.begin(), others.end(), kRegexOption), others.end());
    if (!others.empty())
        snippet.losses.push_back(SnippetLoss::Of(SnippetLoss::Kind::ExpansionOptions, others));
}

bool IsAction(std::string_view line) {
    for (const auto action : kActions)
        if (VimSnippetFile::StartsWithWord(line, action))
            return true;
    return false;
}

// The word, then at most white space; most lines differ from it at once.
bool IsLine(std::string_view line, std::string_view word) {
    return !line.empty() && line.front() == word.front() && TextRules::TrimmedRightView(line) == word;
}

}  // namespace

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path, VimSnippetFile::Reading reading) {
    const bool bodies = reading == VimSnippetFile::Reading::Whole;
    std::string languageName;
    const int language = bodies ? VimSnippetFile::LanguageOf(path, languageName) : SnippetMapping::kNoLanguage;
    TextRules::LineCursor lines(bytes);
    auto snippets = VimSnippetFile::RoomForSnippetsOf(bytes);
    std::vector<std::string_view> actions;
    // Kept between snippets, so that its room is reused.
    std::string body;
    std::string_view line;
    for (int number = 1; lines.Next(line); ++number) {
        if (VimSnippetFile::StartsWithWord(line, kGlobal)) {
            while (lines.Next(line) && !IsLine(line, kEndGlobal))
                ++number;
            ++number;
            continue;
        }
        if (IsAction(line)) {
            if (bodies)
                actions.push_back(TrimmedView(line));
            continue;
        }
        if (!VimSnippetFile::StartsWithWord(line, kSnippet))
            continue;
        // Made in its place; an error drops the list.
        auto& snippet = snippets.emplace_back();
        snippet.line = number;
        if (bodies) {
            ReadHeader(line, number, snippet);
            snippet.language = language;
            snippet.languageName = languageName;
            for (const auto action : actions)
                snippet.losses.push_back(SnippetLoss::Of(SnippetLoss::Kind::InterpolatedCode, action));
        }
        actions.clear();
        body.clear();
        const int header = number;
        bool closed = false;
        for (bool first = true; lines.Next(line); first = false) {
            ++number;
            if (IsLine(line, kEndSnippet)) {
                closed = true;
                break;
            }
            if (bodies)
                body.append(first ? "" : "\r\n").append(line);
        }
        if (!closed)
            throw SourceError(header, "the snippet \"" + snippet.name + "\" has no endsnippet line");
        snippet.syntax = SourceSnippet::Syntax::Vim;
        snippet.code = body;
    }
    return snippets;
}

}  // namespace tarvel::UltiSnipsReader
