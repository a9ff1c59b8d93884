#pragma once

#include "interop/CodePage.h"

namespace tarvel {

// The system's ANSI code page, converted by the system.
class Win32CodePage : public CodePage {
public:
    std::string ToUtf8(std::string_view ansi) const override;

protected:
    // A character at a time, so that each one the code page lacks is named;
    // the text of a snippet is short.
    bool AppendCharacter(char32_t character, std::string& ansi) const override;
};

}  // namespace tarvel
