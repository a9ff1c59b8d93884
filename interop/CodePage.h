#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "interop/Utf8.h"

namespace tarvel {

// Between the UTF-8 of other editors' files and the ANSI code page of entries.
class CodePage {
public:
    virtual ~CodePage() = default;
    // The text in the code page. A character it has no byte for, or a byte
    // that is no UTF-8, becomes '?' and is added to missing (in UTF-8) once.
    std::string FromUtf8(std::string_view utf8, std::string& missing) const {
        // Plain ASCII, nearly all of a snippet file, is the same in both.
        if (Utf8::IsAscii(utf8))
            return std::string(utf8);
        return Converted(utf8, missing);
    }
    // The same, taking the text's own string where it stays as it is.
    std::string FromUtf8(std::string&& utf8, std::string& missing) const {
        if (Utf8::IsAscii(utf8))
            return std::move(utf8);
        return Converted(utf8, missing);
    }
    // Every byte has a character, so this loses nothing.
    virtual std::string ToUtf8(std::string_view ansi) const = 0;

protected:
    // Appends a character beyond ASCII as the code page spells it; false,
    // with nothing appended, when the code page has no spelling for it.
    virtual bool AppendCharacter(char32_t character, std::string& ansi) const = 0;

private:
    std::string Converted(std::string_view utf8, std::string& missing) const {
        std::string ansi;
        ansi.reserve(utf8.size());
        for (std::size_t at = 0; at < utf8.size();) {
            if (static_cast<unsigned char>(utf8[at]) < 0x80) {
                ansi += utf8[at++];
                continue;
            }
            const auto character = Utf8::Next(utf8, at);
            if (character == Utf8::kInvalid || !AppendCharacter(character, ansi)) {
                Utf8::AppendOnce(missing, character);
                ansi += '?';
            }
        }
        return ansi;
    }
};

}  // namespace tarvel
