#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "tooltip/HtmlTypes.h"

namespace tarvel {

// What a length value is measured against. The font metrics are asked for
// only when an ex or em value needs them.
struct HtmlLengthBasis {
    int current = 0;  // the value a percentage, thin or thick is taken of
    int pixelsPerInch = 96;
    std::function<HtmlFontMetrics()> fontMetrics;
    bool fontSize = false;  // a bare 1 to 7 is then an HTML font size
};

// Converts a length ("12px", "1.5em", "10pt", "65%", "+2", ...) to device
// pixels, clamped to [0, kMaxLength]; nothing when the text is no length.
std::optional<int> ParseHtmlLength(std::string_view value, const HtmlLengthBasis& basis);
// Whether ParseHtmlLength takes the value as a percentage.
bool IsHtmlPercentage(std::string_view value);

}  // namespace tarvel
