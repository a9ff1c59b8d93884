#pragma once

#include <string_view>

namespace tarvel {

// Tag kinds by the numbers of the markup's tag table; tables and unknown
// names are not in it.
enum class HtmlTagKind : int {
    Unknown = 0,
    Bold = 1,
    Italic = 2,
    Underline = 3,
    StrikeOut = 4,
    Font = 5,
    Rule = 6,
    LineBreak = 7,
    Tab = 8,
    Left = 9,
    Center = 10,
    Right = 11,
    Justify = 12,
    Baseline = 13,
    Top = 14,
    Middle = 15,
    Bottom = 16,
    Bitmap = 17,
    Icon = 18,
    ImageList = 19,
    String = 20,
    StyledBlock = 21,
    Span = 22,
    Link = 23,
};

// `name` in lower case.
HtmlTagKind HtmlTagKindOf(std::string_view name);

}  // namespace tarvel
