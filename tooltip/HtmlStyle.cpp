#include "tooltip/HtmlStyle.h"

#include <tuple>

namespace tarvel {

namespace {

auto FontFields(const HtmlStyle& s) { return std::tie(s.face, s.size, s.weight, s.italic); }

auto OtherFields(const HtmlStyle& s) {
    return std::tie(s.underline, s.strikeOut, s.overline, s.color, s.solidBackground, s.backgroundColor,
                    s.borderLight, s.borderDark, s.borderStyle, s.borderWidth, s.hAlign, s.vAlign, s.transform,
                    s.margin, s.padding);
}

}  // namespace

bool HtmlStyle::operator==(const HtmlStyle& o) const {
    return FontFields(*this) == FontFields(o) && OtherFields(*this) == OtherFields(o);
}

bool HtmlStyle::SameFont(const HtmlStyle& o) const { return FontFields(*this) == FontFields(o); }

}  // namespace tarvel
