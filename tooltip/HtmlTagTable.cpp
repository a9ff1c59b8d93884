#include "tooltip/HtmlTagTable.h"

namespace tarvel {

namespace {

struct TagName {
    std::string_view name;
    HtmlTagKind kind;
};

constexpr TagName kTags[] = {
    {"b", HtmlTagKind::Bold},
    {"i", HtmlTagKind::Italic},
    {"em", HtmlTagKind::Italic},
    {"u", HtmlTagKind::Underline},
    {"s", HtmlTagKind::StrikeOut},
    {"strike", HtmlTagKind::StrikeOut},
    {"font", HtmlTagKind::Font},
    {"hr", HtmlTagKind::Rule},
    {"br", HtmlTagKind::LineBreak},
    {"t", HtmlTagKind::Tab},
    {"left", HtmlTagKind::Left},
    {"center", HtmlTagKind::Center},
    {"right", HtmlTagKind::Right},
    {"justify", HtmlTagKind::Justify},
    {"baseline", HtmlTagKind::Baseline},
    {"top", HtmlTagKind::Top},
    {"vcenter", HtmlTagKind::Middle},
    {"middle", HtmlTagKind::Middle},
    {"bottom", HtmlTagKind::Bottom},
    {"bmp", HtmlTagKind::Bitmap},
    {"icon", HtmlTagKind::Icon},
    {"ilst", HtmlTagKind::ImageList},
    {"string", HtmlTagKind::String},
    {"body", HtmlTagKind::StyledBlock},
    {"h1", HtmlTagKind::StyledBlock},
    {"h2", HtmlTagKind::StyledBlock},
    {"h3", HtmlTagKind::StyledBlock},
    {"h4", HtmlTagKind::StyledBlock},
    {"h5", HtmlTagKind::StyledBlock},
    {"h6", HtmlTagKind::StyledBlock},
    {"code", HtmlTagKind::StyledBlock},
    {"pre", HtmlTagKind::StyledBlock},
    {"big", HtmlTagKind::StyledBlock},
    {"small", HtmlTagKind::StyledBlock},
    {"sub", HtmlTagKind::StyledBlock},
    {"sup", HtmlTagKind::StyledBlock},
    {"span", HtmlTagKind::Span},
    {"a", HtmlTagKind::Link},
};

}  // namespace

HtmlTagKind HtmlTagKindOf(std::string_view name) {
    for (const TagName& t : kTags)
        if (t.name == name)
            return t.kind;
    return HtmlTagKind::Unknown;
}

}  // namespace tarvel
