#pragma once

#include <optional>
#include <string>

namespace tarvel {

// The stored form of a window placement: "left,top,right,bottom,show,flags"
// (normal position, show command, flags). All six numbers must be there.
struct WindowPlacementText {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int showCommand = 0;
    int flags = 0;

    std::string Format() const;
    // Nothing for text that does not start with six numbers or whose
    // rectangle is empty.
    static std::optional<WindowPlacementText> Parse(const std::string& text);
};

}  // namespace tarvel
