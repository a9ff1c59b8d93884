#pragma once

#include "tooltip/HtmlDisplayList.h"

namespace tarvel {

class CHtmlLayoutContext;

// Reads a bmp, icon or ilst tag: where the image comes from, its size (the
// image's own where width or height is missing or 0; a percentage is of
// the image's own size) and its drawing styles.
HtmlImage ReadHtmlImageTag(const HtmlToken& tag, const HtmlStyle& style, CHtmlLayoutContext& context);

// Style letters g, d, l, s as HtmlImageStyle bits; s only when the shadow
// has an offset.
unsigned HtmlImageStyleBits(std::string_view letters, const HtmlImageShadow& shadow);

}  // namespace tarvel
