#pragma once

#include <windows.h>

namespace tarvel {

// How one tree item draws its label: a text colour (or kDefaultColor for the
// system window-text colour) and a whole logical font, whose empty face name
// means the tree's own font.
struct Color_Font {
    static constexpr COLORREF kDefaultColor = static_cast<COLORREF>(-1);

    COLORREF color = kDefaultColor;
    LOGFONTA logfont = {};
};

}  // namespace tarvel
