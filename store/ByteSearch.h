#pragma once

#include <cstddef>
#include <string_view>

namespace tarvel {

// Where the byte first stands in the text from `from` on; npos when it does
// not. Sixteen bytes at a time: the C library's search that the Windows build
// calls goes a byte at a time under Wine, and the store looks for the line
// breaks and form feeds of every file it reads or writes.
std::size_t FindByte(std::string_view text, char byte, std::size_t from = 0) noexcept;

}  // namespace tarvel
