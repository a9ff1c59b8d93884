#include "tooltip/CHtmlLayout.h"

#include <algorithm>

#include "tooltip/CHtmlFlow.h"
#include "tooltip/HtmlMarkupText.h"
#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

namespace {

constexpr int kDefaultPoints = 10;
constexpr int kPointsPerInch = 72;
// The width of a text that nothing in it gives one, such as rules alone,
// in average characters of its body font.
constexpr int kDefaultWidthInCharacters = 20;

}  // namespace

int CHtmlLayout::DefaultWidth(CHtmlLayoutContext& context, const HtmlFlowState& start) const {
    const long long average = context.Metrics(context.Font(start.style)).averageWidth;
    return static_cast<int>(std::clamp<long long>(kDefaultWidthInCharacters * average, 0, kMaxExtent));
}

HtmlStyle CHtmlLayout::BaseStyle(const CHtmlLayoutContext& context) const {
    HtmlStyle style;
    style.size = kDefaultPoints * platform_.PixelsPerInch() / kPointsPerInch;
    style.color = context.StyleContext().Colors().Find("infotext").value_or(0);
    sheet_.Apply("body", style, context.StyleContext());
    return style;
}

// Laid out once while percentages count as nothing; when there were any,
// laid out again with the width the rest of the text needs, or the default
// width when the rest needs none.
HtmlDisplayList CHtmlLayout::Layout(std::string_view markup, const HtmlLayoutOptions& options) {
    const HtmlMarkup parsed = ParseHtmlMarkup(PrepareHtmlMarkup(markup, options.breaksAsTags, platform_));
    CHtmlLayoutContext context(platform_, sheet_, parsed, options);
    HtmlFlowState start;
    start.style = BaseStyle(context);
    HtmlFlowFrame frame;
    frame.wrapWidth = options.maxWidth > 0 ? std::min(options.maxWidth, kMaxExtent) : kMaxExtent;
    HtmlBlock block = CHtmlFlow(context, frame, start).Run(0, parsed.tokens.size());
    if (block.usesPercent) {
        context.ForgetStyles();
        frame.percentBase = block.width > 0 ? block.width : std::min(frame.wrapWidth, DefaultWidth(context, start));
        block = CHtmlFlow(context, frame, start).Run(0, parsed.tokens.size());
    }
    block.Align(block.width);
    HtmlDisplayList list;
    list.size = {block.width, block.height};
    list.items = std::move(block.items);
    list.styles = context.TakeStyles();
    list.links = parsed.links;
    return list;
}

}  // namespace tarvel
