#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interop/SourceSnippet.h"

// What snipMate and UltiSnips files share: the language their name or folder
// gives ("cpp.snippets", "javascript_jsdoc.snippets", "javascript/x.snippets").
namespace tarvel::VimSnippetFile {

// A file of a language none of the eight is only counted: its snippets are
// read for their lines alone.
enum class Reading { Whole, HeadersOnly };

// The language of the file's snippets; languageName gets the file type.
int LanguageOf(std::string_view path, std::string& languageName);
// The word, then a blank or the line's end. Inline: readers ask it of every line.
inline bool StartsWithWord(std::string_view line, std::string_view word) {
    // Most lines differ from the word at once.
    if (!word.empty() && (line.empty() || line.front() != word.front()))
        return false;
    return line.substr(0, word.size()) == word &&
           (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}
// Whether the file is UltiSnips': a line closes a snippet with "endsnippet".
bool IsUltiSnips(std::string_view bytes);
// An empty list with room for the snippets the file's size suggests, short
// ones (about a hundred bytes each in Vim's collections) taken as the rule: a
// list that grows moves every snippet read before.
std::vector<SourceSnippet> RoomForSnippetsOf(std::string_view bytes);

}  // namespace tarvel::VimSnippetFile
