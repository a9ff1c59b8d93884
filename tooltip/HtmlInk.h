#pragma once

#include <array>
#include <tuple>

#include "tooltip/HtmlTypes.h"

namespace tarvel {

// What a tag lays behind or across the text it holds: a background as high
// as the line, or a line under, through or over the text where the tag's
// own font puts it. Each is drawn once per line over all the boxes the tag
// holds there, so text of other sizes inside neither breaks nor moves it.
struct HtmlInk {
    enum Kind { kBackground, kUnderline, kStrikeOut, kOverline, kKinds };

    int kind = kBackground;
    HtmlColor color = 0;
    // A background: the one it lies on, and whether the border box of its
    // tag draws it (then it is as high as that box, not the line).
    int outer = -1;
    bool drawnByBox = false;
    // A line: the tag's font cell as it would stand on the line, the
    // line's top below the cell's top, and its thickness.
    int height = 0;
    int ascent = 0;
    HtmlVAlign vAlign = HtmlVAlign::Baseline;
    int offset = 0;
    int thickness = 0;

    auto Key() const { return std::tie(kind, color, outer, drawnByBox, height, ascent, vAlign, offset, thickness); }
    bool operator<(const HtmlInk& o) const { return Key() < o.Key(); }
};

// The ink of each kind in force at a point of the markup, by its number in
// the layout's table; -1 for none.
using HtmlInkSet = std::array<int, HtmlInk::kKinds>;
constexpr HtmlInkSet kNoInk = {-1, -1, -1, -1};

}  // namespace tarvel
