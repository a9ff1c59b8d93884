#pragma once

#include <string>
#include <variant>
#include <vector>

#include "tooltip/HtmlMarkup.h"
#include "tooltip/HtmlStyle.h"
#include "tooltip/HtmlTypes.h"

namespace tarvel {

// What a layout puts on the device, in drawing order, with coordinates
// relative to the top-left corner of the laid-out text.

struct HtmlTextRun {
    HtmlRect box;      // the run's cell: its width and the font's line height
    int ascent = 0;    // baseline below box.top
    std::string text;  // ANSI text, transformed as its style says
    int style = 0;     // index into HtmlDisplayList::styles
    HtmlFontId font = 0;
    int link = -1;
    int justify = 0;  // extra pixels spread over its spaces
};

struct HtmlRule {
    HtmlRect box;
    HtmlColor color = 0;
};

struct HtmlBorder {
    HtmlRect box;  // outer edge; the border lies inside it
    int width = 1;
    HtmlBorderStyle style = HtmlBorderStyle::Solid;
    HtmlColor light = 0;
    HtmlColor dark = 0;
    bool raised = true;  // light on top and left (tables); else sunken (cells)
};

struct HtmlFill {
    HtmlRect box;
    int effect = kEffectSolid;  // an HtmlBackgroundEffect, or another number
    HtmlColor begin = 0;
    HtmlColor middle = 0;
    HtmlColor end = 0;
};

enum HtmlImageStyle : unsigned {
    kImageGrey = 1,
    kImageDarker = 2,
    kImageLighter = 4,
    kImageShadow = 8,
};

struct HtmlImage {
    HtmlRect box;  // the image itself; a shadow falls right and below it
    HtmlImageSource source;
    int index = 0;       // image in an image list
    int speed = 0;       // milliseconds per frame of an animated image list
    unsigned style = 0;  // HtmlImageStyle bits
    unsigned hotStyle = 0;
    bool hasHotStyle = false;
    bool tiled = false;  // a table's background image, repeated over box
    int link = -1;
};

// Where a link can be clicked: one area per line it covers.
struct HtmlLinkArea {
    HtmlRect box;
    int link = -1;
};

using HtmlDisplayItem = std::variant<HtmlTextRun, HtmlRule, HtmlBorder, HtmlFill, HtmlImage, HtmlLinkArea>;

void OffsetDisplayItem(HtmlDisplayItem& item, int dx, int dy);

struct HtmlDisplayList {
    HtmlSize size;
    std::vector<HtmlDisplayItem> items;
    std::vector<HtmlStyle> styles;
    std::vector<HtmlLink> links;

    // The number of the link at a point, or -1.
    int LinkAt(int x, int y) const;
};

}  // namespace tarvel
