#pragma once

#include <string_view>

#include "tooltip/CHtmlLayoutContext.h"
#include "tooltip/CHtmlStyleSheet.h"
#include "tooltip/HtmlDisplayList.h"

namespace tarvel {

class IHtmlPlatform;
struct HtmlFlowState;

// Lays out a tooltip markup text for a platform: the entry point of the
// portable renderer. The markup's text starts in the style of the sheet's
// body rule.
//
//   CHtmlStyleSheet sheet(kHtmlDefaultStyleSheet);
//   HtmlLayoutOptions options;
//   options.maxWidth = 400;
//   HtmlDisplayList list = CHtmlLayout(platform, sheet).Layout(markup, options);
//   // list.size is what the text needs; draw list.items at an origin.
//
// Justified lines are set like left-aligned ones. Whatever the markup asks
// for, layouts stay bounded: counts of <br> and <t> are at most 1000, spans
// at most 100 (rowspan no more than the rows left), at most 100 columns,
// 100 open style tags and 6 nested tables; lengths stop at kMaxLength and
// the whole text at kMaxExtent, after which the rest is not laid out.
class CHtmlLayout {
public:
    CHtmlLayout(IHtmlPlatform& platform, const CHtmlStyleSheet& sheet) : platform_(platform), sheet_(sheet) {}

    HtmlDisplayList Layout(std::string_view markup, const HtmlLayoutOptions& options);

private:
    // The style text starts in: the default style with the body rule over it.
    HtmlStyle BaseStyle(const CHtmlLayoutContext& context) const;
    int DefaultWidth(CHtmlLayoutContext& context, const HtmlFlowState& start) const;

    IHtmlPlatform& platform_;
    const CHtmlStyleSheet& sheet_;
};

}  // namespace tarvel
