#pragma once

#include <string_view>

#include "tooltip/CHtmlLayoutContext.h"
#include "tooltip/CHtmlStyleSheet.h"
#include "tooltip/HtmlDisplayList.h"

class IHtmlPlatform;

// Lays out a tooltip markup text for a platform: the entry point of the
// portable renderer. The markup's text starts in the style of the sheet's
// body rule.
//
//   CHtmlStyleSheet sheet(kHtmlDefaultStyleSheet);
//   HtmlLayoutOptions options;
//   options.maxWidth = 400;
//   HtmlDisplayList list = CHtmlLayout(platform, sheet).Layout(markup, options);
//   // list.size is what the text needs; draw list.items at an origin.
class CHtmlLayout {
public:
    CHtmlLayout(IHtmlPlatform& platform, const CHtmlStyleSheet& sheet) : platform_(platform), sheet_(sheet) {}

    HtmlDisplayList Layout(std::string_view markup, const HtmlLayoutOptions& options);

private:
    // The style text starts in: the default style with the body rule over it.
    HtmlStyle BaseStyle(const CHtmlLayoutContext& context) const;

    IHtmlPlatform& platform_;
    const CHtmlStyleSheet& sheet_;
};
