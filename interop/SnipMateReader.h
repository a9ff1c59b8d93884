#pragma once

#include <string_view>
#include <vector>

#include "interop/SourceSnippet.h"
#include "interop/VimSnippetFile.h"

// snipMate's ".snippets" files: "snippet trigger description" and a body of
// lines indented by a tab; "#" comments and "extends" lines between them.
namespace tarvel::SnipMateReader {

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path,
                                VimSnippetFile::Reading reading = VimSnippetFile::Reading::Whole);

}  // namespace tarvel::SnipMateReader
