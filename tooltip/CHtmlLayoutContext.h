#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "tooltip/CHtmlStyleContext.h"
#include "tooltip/CHtmlStyleSheet.h"
#include "tooltip/HtmlInk.h"
#include "tooltip/HtmlMarkup.h"
#include "tooltip/HtmlStyle.h"

namespace tarvel {

class IHtmlPlatform;

struct HtmlLayoutOptions {
    int maxWidth = 0;          // lines wrap at this width; 0 or less: no wrapping
    int hoverLink = -1;        // the link drawn in the a:hover style
    bool breaksAsTags = true;  // line feeds and tabs become <br> and <t>
    HtmlImageShadow imageShadow;
};

// What every part of one layout shares: the parsed markup, the sheet, the
// platform with its fonts, and the styles the runs refer to.
class CHtmlLayoutContext {
public:
    CHtmlLayoutContext(IHtmlPlatform& platform, const CHtmlStyleSheet& sheet, const HtmlMarkup& markup,
                       const HtmlLayoutOptions& options);

    IHtmlPlatform& Platform() const { return styles_.Platform(); }
    const CHtmlStyleContext& StyleContext() const { return styles_; }
    const CHtmlStyleSheet& Sheet() const { return sheet_; }
    const HtmlMarkup& Markup() const { return markup_; }
    const HtmlLayoutOptions& Options() const { return options_; }

    HtmlFontId Font(const HtmlStyle& style);
    HtmlFontMetrics Metrics(HtmlFontId font);
    // The index of the style in the display list's style table.
    int Intern(const HtmlStyle& style);
    std::vector<HtmlStyle> TakeStyles() { return std::move(internedStyles_); }
    void ForgetStyles() { internedStyles_.clear(); }
    // The number of an ink equal to this one, added if there is none: a
    // tag laid out again, or closed and opened again, gets the same ink.
    int AddInk(const HtmlInk& ink);
    const std::vector<HtmlInk>& Inks() const { return inks_; }

private:
    CHtmlStyleContext styles_;
    const CHtmlStyleSheet& sheet_;
    const HtmlMarkup& markup_;
    HtmlLayoutOptions options_;
    HtmlStyle lastFontStyle_;
    HtmlFontId lastFont_ = 0;
    bool hasLastFont_ = false;
    std::unordered_map<HtmlFontId, HtmlFontMetrics> metrics_;
    std::vector<HtmlStyle> internedStyles_;
    std::vector<HtmlInk> inks_;
    std::map<HtmlInk, int> inkNumbers_;
};

}  // namespace tarvel
