#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interop/SourceSnippet.h"

// What snipMate and UltiSnips files share: the language their name or folder
// gives ("cpp.snippets", "javascript_jsdoc.snippets", "javascript/x.snippets"),
// and their lines.
namespace VimSnippetFile {

// The language of the file's snippets; languageName gets the file type.
int LanguageOf(std::string_view path, std::string& languageName);
std::vector<std::string_view> LinesOf(std::string_view bytes);
bool StartsWithWord(std::string_view line, std::string_view word);
// Whether the file is UltiSnips': a line closes a snippet with "endsnippet".
bool IsUltiSnips(std::string_view bytes);

}  // namespace VimSnippetFile
