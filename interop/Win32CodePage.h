#pragma once

#include "interop/CodePage.h"

// The system's ANSI code page, converted by the system.
class Win32CodePage : public CodePage {
public:
    std::string FromUtf8(std::string_view utf8, std::string& missing) const override;
    std::string ToUtf8(std::string_view ansi) const override;
};
