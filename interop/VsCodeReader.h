#pragma once

#include <string_view>
#include <vector>

#include "interop/SourceSnippet.h"

// VS Code's snippet files: a ".json" file of the language its name gives, or
// a ".code-snippets" file whose snippets name theirs in "scope".
namespace tarvel::VsCodeReader {

// Throws SourceError when the text is no JSON object.
std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path);

// JSON names are unique, titles need not be: the writer pads a repeated
// title with zero-width spaces, which no ANSI code page holds and which
// reading takes off again.
constexpr std::string_view kNamePadding = "\xE2\x80\x8B";

}  // namespace tarvel::VsCodeReader
