#pragma once

#include <string_view>
#include <vector>

#include "interop/SourceSnippet.h"
#include "interop/VimSnippetFile.h"

// UltiSnips' ".snippets" files: snippet trigger "description" options, the
// body as it stands, endsnippet; and between snippets priority, extends,
// clearsnippets, python blocks (global !p ... endglobal) and the actions
// context, pre_expand, post_expand and post_jump, which belong to the next
// snippet.
namespace tarvel::UltiSnipsReader {

// Throws SourceError for a snippet without endsnippet and for a trigger of
// several words that is not enclosed in one character.
std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path,
                                VimSnippetFile::Reading reading = VimSnippetFile::Reading::Whole);

}  // namespace tarvel::UltiSnipsReader
