#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tarvel {

// Reads the clipboard's CF_TEXT without changing the clipboard.
class ClipboardText {
public:
    // Nothing when the clipboard cannot be opened for the owner; an empty text
    // when it holds no text or its data cannot be had.
    static std::optional<std::string> Read(HWND owner);
};

}  // namespace tarvel
