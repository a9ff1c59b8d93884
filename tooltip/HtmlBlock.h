#pragma once

#include <cstddef>
#include <vector>

#include "tooltip/HtmlDisplayList.h"

namespace tarvel {

// A laid-out piece of markup (the whole text, or one table cell): its items
// relative to its top-left corner, and its lines so that it can still be
// aligned once the width of its box is known.
struct HtmlBlock {
    struct Line {
        std::size_t first = 0;  // its items are items[first, last)
        std::size_t last = 0;
        int width = 0;
        HtmlHAlign align = HtmlHAlign::Left;
        bool wrapped = false;  // ended because the next thing did not fit
    };

    int width = 0;  // the widest line
    int height = 0;
    std::vector<HtmlDisplayItem> items;
    std::vector<Line> lines;
    // Something in it was sized as a percentage of the box it is laid out
    // in; it must be laid out again once that box's width is known.
    bool usesPercent = false;

    // Moves centred and right-aligned lines within a box of that width, and
    // stretches justified ones that wrapped to both its edges.
    void Align(int boxWidth);

private:
    void Justify(const Line& line, int room);
};

}  // namespace tarvel
