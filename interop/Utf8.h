#pragma once

#include <string>
#include <string_view>

// UTF-8 one code point at a time, for the code pages that convert by table.
namespace tarvel::Utf8 {

constexpr char32_t kInvalid = 0xFFFD;

// The code point at the position, moving past it; kInvalid for a byte that
// starts no well-formed sequence (which then moves one byte on).
char32_t Next(std::string_view text, std::size_t& at);
void Append(std::string& text, char32_t codePoint);
// Appends the character once to a list of distinct characters.
void AppendOnce(std::string& list, char32_t codePoint);
// Whether every byte is below 0x80; eight at a time, as every text an import
// or an export converts is looked at.
bool IsAscii(std::string_view text);

}  // namespace tarvel::Utf8
