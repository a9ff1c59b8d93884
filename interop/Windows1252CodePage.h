#pragma once

#include "interop/CodePage.h"

namespace tarvel {

// The Western code page, by table: the portable build's ANSI code page. The
// five bytes it leaves undefined stand for the control characters of the same
// value, as Windows converts them, so every byte comes back.
class Windows1252CodePage : public CodePage {
public:
    std::string ToUtf8(std::string_view ansi) const override;

protected:
    bool AppendCharacter(char32_t character, std::string& ansi) const override;
};

}  // namespace tarvel
