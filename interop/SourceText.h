#pragma once

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

}  // namespace tarvel::SourceText
