#pragma once

#include <string>
#include <string_view>

// Between the UTF-8 of other editors' files and the ANSI code page of entries.
class CodePage {
public:
    virtual ~CodePage() = default;
    // The text in the code page. A character it has no byte for, or a byte
    // that is no UTF-8, becomes '?' and is added to missing (in UTF-8) once.
    virtual std::string FromUtf8(std::string_view utf8, std::string& missing) const = 0;
    // Every byte has a character, so this loses nothing.
    virtual std::string ToUtf8(std::string_view ansi) const = 0;
};
