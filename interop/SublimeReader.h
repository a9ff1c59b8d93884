#pragma once

#include <string_view>
#include <vector>

#include "interop/SourceSnippet.h"

// Sublime Text's ".sublime-snippet" files: one <snippet> with its <content>
// (usually in CDATA), <tabTrigger>, <scope> and <description>; the file's
// name names the snippet.
namespace tarvel::SublimeReader {

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path);

}  // namespace tarvel::SublimeReader
