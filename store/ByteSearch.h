#pragma once

#include <cstddef>
#include <string_view>

namespace tarvel {

// Where the byte first stands in the text from `from` on; npos when it does
// not. The Windows build looks at sixteen bytes at a time: the C library's
// search it would call goes a byte at a time (under Wine, and in the
// system's msvcrt), and the store looks for the line breaks and form feeds of
// every file it reads or writes.
#ifdef _WIN32
std::size_t FindByte(std::string_view text, char byte, std::size_t from = 0) noexcept;
#else
// The C library of the native build searches a vector at a time already.
inline std::size_t FindByte(std::string_view text, char byte, std::size_t from = 0) noexcept {
    return text.find(byte, from);
}
#endif

}  // namespace tarvel
