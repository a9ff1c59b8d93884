#pragma once

#include <optional>
#include <string_view>

#include "tooltip/CHtmlColorTable.h"
#include "tooltip/HtmlStyle.h"

namespace tarvel {

class IHtmlPlatform;

// Turns style-sheet declarations and tag attributes into changes of a style,
// with lengths in the platform's pixels and colours from its colour table.
class CHtmlStyleContext {
public:
    explicit CHtmlStyleContext(IHtmlPlatform& platform);

    IHtmlPlatform& Platform() const { return platform_; }
    const CHtmlColorTable& Colors() const { return colors_; }

    // An unknown property, or a value it does not take, changes nothing.
    void ApplyDeclaration(HtmlStyle& style, std::string_view property, std::string_view value) const;

    // A length measured against `current` (percentages) and the style's font
    // (ex, em).
    std::optional<int> Length(std::string_view value, int current, const HtmlStyle& style, bool fontSize = false) const;
    std::optional<HtmlColor> Color(std::string_view value) const { return colors_.Parse(value); }
    HtmlFontMetrics Metrics(const HtmlStyle& style) const;

    static std::optional<HtmlBorderStyle> BorderStyleNamed(std::string_view name);
    static std::optional<HtmlHAlign> HAlignNamed(std::string_view name);
    static std::optional<HtmlVAlign> VAlignNamed(std::string_view name);
    static std::optional<int> WeightNamed(std::string_view value);

private:
    void ApplyBorderWidth(HtmlStyle& style, std::string_view value) const;
    static void ApplyBorderStyle(HtmlStyle& style, std::string_view value);
    static void ApplyTextDecoration(HtmlStyle& style, std::string_view value);

    IHtmlPlatform& platform_;
    int pixelsPerInch_;
    CHtmlColorTable colors_;
};

}  // namespace tarvel
