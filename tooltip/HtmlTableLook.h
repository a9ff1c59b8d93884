#pragma once

#include <optional>
#include <string>

#include "tooltip/HtmlDisplayList.h"

namespace tarvel {

class CHtmlStyleContext;

// The attributes of a table, tr or td tag that say how it looks and how it
// is sized, with the border rules applied.
struct HtmlTableLook {
    int border = 0;
    HtmlBorderStyle borderStyle = HtmlBorderStyle::None;
    HtmlColor light = 0;
    HtmlColor dark = 0;
    bool borderGiven = false;  // border or borderstyle written
    bool colorGiven = false;  // a border colour written
    HtmlFill fill;             // effect kEffectTransparent: none
    std::optional<HtmlHAlign> align;
    std::optional<HtmlVAlign> vAlign;
    std::optional<std::string> width;
    std::optional<std::string> height;
    int rowSpan = 1;
    int colSpan = 1;
};

enum class HtmlTablePart { Table, Row, Cell };

HtmlTableLook ReadHtmlTableLook(const HtmlToken& tag, HtmlTablePart part, const CHtmlStyleContext& styles,
                                const HtmlStyle& style);

// The effect named by a bgeffect value, or a number; nothing for others.
std::optional<int> HtmlEffectNamed(std::string_view value);

}  // namespace tarvel
