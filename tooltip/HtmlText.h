#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

// Byte-string helpers for markup and style sheets (ASCII case rules only:
// the texts are in an ANSI code page whose upper half is not letters to us).
std::string AsciiLower(std::string_view text);
std::string_view TrimSpaces(std::string_view text);
// Removes one pair of matching single or double quotes around the text.
std::string_view Unquote(std::string_view text);
// A whole decimal or "0x" hexadecimal number, without sign; nothing when the
// text is anything else or the value does not fit 32 bits.
std::optional<unsigned long> ParseCNumber(std::string_view text);
// A resource id: a number of at most 16 bits, as resources are numbered.
std::optional<unsigned> ParseResourceId(std::string_view text);

}  // namespace tarvel
