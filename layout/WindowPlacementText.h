#pragma once

#include <optional>
#include <string>

#include "layout/LayoutGeometry.h"

namespace tarvel {

// The stored form of a window placement: "left,top,right,bottom,show,flags"
// (normal position, show command, flags). All six numbers must be there.
// The numbers come from the registry, where anything may stand: a placement
// is restored only on a work area (see OnWorkArea).
struct WindowPlacementText {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int showCommand = 0;
    int flags = 0;

    std::string Format() const;
    // Nothing for text that does not start with six numbers, whose rectangle
    // is empty, or whose show command is none that shows a window.
    static std::optional<WindowPlacementText> Parse(const std::string& text);
    // The placement with its rectangle shrunk to the work area's size where
    // it is larger, and moved onto it where it reaches past it.
    WindowPlacementText OnWorkArea(const LayoutRect& area) const;
};

}  // namespace tarvel
