#pragma once

#include <string>

#include "tooltip/HtmlTypes.h"

namespace tarvel {

// The resolved style of a piece of markup: what the tags and style-sheet
// rules in force at that point make of it. Sizes are device pixels.
struct HtmlStyle {
    std::string face = "Arial";
    int size = 13;     // character height in pixels
    int weight = 400;  // 100 to 900
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool overline = false;
    HtmlColor color = 0;
    bool solidBackground = false;  // else transparent
    HtmlColor backgroundColor = 0xFFFFFF;
    HtmlColor borderLight = 0;
    HtmlColor borderDark = 0;
    HtmlBorderStyle borderStyle = HtmlBorderStyle::None;
    int borderWidth = 0;
    HtmlHAlign hAlign = HtmlHAlign::Left;
    HtmlVAlign vAlign = HtmlVAlign::Baseline;
    HtmlTextTransform transform = HtmlTextTransform::None;
    int margin = 0;
    int padding = 0;

    bool operator==(const HtmlStyle& o) const;
    bool operator!=(const HtmlStyle& o) const { return !(*this == o); }
    // Whether two styles need the same platform font.
    bool SameFont(const HtmlStyle& o) const;
};

constexpr int kWeightMin = 100;
constexpr int kWeightNormal = 400;
constexpr int kWeightBold = 700;
constexpr int kWeightMax = 900;

}  // namespace tarvel
