#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Small helpers of the snippet readers and writer.
namespace tarvel::SourceText {

// Every LF that has no CR before it gets one.
std::string WithCrLf(std::string_view text);
// The line (from 1) of a byte offset, lines ending as the line readers end them.
int LineOf(std::string_view text, std::size_t offset);
// The file's name without its folder.
std::string_view FileName(std::string_view path);
// The file's name up to its first dot ("cpp" of "cpp.json").
std::string_view Stem(std::string_view path);
// The folder's name of the file, empty when the path names none.
std::string_view FolderName(std::string_view path);
// The file's last extension in lower case, with its dot.
std::string Extension(std::string_view path);
// A message pattern with its %s and %d, in turn, replaced by the texts (a
// number already written out), and %% by %: as printf writes it, without
// measuring it first, for messages said of many files or snippets.
std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> texts);

}  // namespace tarvel::SourceText
