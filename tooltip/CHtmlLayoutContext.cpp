#include "tooltip/CHtmlLayoutContext.h"

#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

CHtmlLayoutContext::CHtmlLayoutContext(IHtmlPlatform& platform, const CHtmlStyleSheet& sheet, const HtmlMarkup& markup,
                                       const HtmlLayoutOptions& options)
    : styles_(platform), sheet_(sheet), markup_(markup), options_(options) {}

HtmlFontId CHtmlLayoutContext::Font(const HtmlStyle& style) {
    if (!hasLastFont_ || !style.SameFont(lastFontStyle_)) {
        lastFont_ = Platform().Font(style);
        lastFontStyle_ = style;
        hasLastFont_ = true;
    }
    return lastFont_;
}

HtmlFontMetrics CHtmlLayoutContext::Metrics(HtmlFontId font) {
    const auto it = metrics_.find(font);
    if (it != metrics_.end())
        return it->second;
    return metrics_[font] = Platform().Metrics(font);
}

int CHtmlLayoutContext::Intern(const HtmlStyle& style) {
    if (internedStyles_.empty() || internedStyles_.back() != style)
        internedStyles_.push_back(style);
    return static_cast<int>(internedStyles_.size()) - 1;
}

int CHtmlLayoutContext::AddInk(const HtmlInk& ink) {
    const auto [it, added] = inkNumbers_.try_emplace(ink, static_cast<int>(inks_.size()));
    if (added)
        inks_.push_back(ink);
    return it->second;
}

}  // namespace tarvel
