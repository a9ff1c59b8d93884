#include "tooltip/CHtmlStyleContext.h"

#include <algorithm>
#include <string>

#include "tooltip/HtmlLength.h"
#include "tooltip/HtmlText.h"
#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

namespace {

constexpr int kThinPercent = 75;
constexpr int kThickPercent = 125;

template <typename T>
struct Keyword {
    const char* name;
    T value;
};

template <typename T, std::size_t N>
std::optional<T> Lookup(const Keyword<T> (&table)[N], std::string_view name) {
    const std::string key = AsciiLower(TrimSpaces(name));
    for (const auto& k : table)
        if (key == k.name)
            return k.value;
    return std::nullopt;
}

constexpr Keyword<HtmlBorderStyle> kBorderStyles[] = {
    {"none", HtmlBorderStyle::None},     {"solid", HtmlBorderStyle::Solid},   {"dotted", HtmlBorderStyle::Dotted},
    {"dashed", HtmlBorderStyle::Dashed}, {"double", HtmlBorderStyle::Double},
};
constexpr Keyword<HtmlHAlign> kHAligns[] = {
    {"left", HtmlHAlign::Left}, {"center", HtmlHAlign::Center}, {"right", HtmlHAlign::Right}};
constexpr Keyword<HtmlVAlign> kVAligns[] = {
    {"baseline", HtmlVAlign::Baseline}, {"middle", HtmlVAlign::Middle}, {"vcenter", HtmlVAlign::Middle},
    {"top", HtmlVAlign::Top},           {"bottom", HtmlVAlign::Bottom},
};
constexpr Keyword<HtmlTextTransform> kTransforms[] = {
    {"none", HtmlTextTransform::None},
    {"uppercase", HtmlTextTransform::Uppercase},
    {"lowercase", HtmlTextTransform::Lowercase},
    {"capitalize", HtmlTextTransform::Capitalize},
};
constexpr Keyword<int> kWeights[] = {
    {"normal", kWeightNormal}, {"bold", kWeightBold}, {"bolder", kWeightMax}, {"lighter", kWeightMin}};
constexpr Keyword<bool> kFontStyles[] = {{"normal", false}, {"italic", true}, {"oblique", true}};

// The first family of a list such as "Verdana, Arial", without quotes.
std::string FirstFamily(std::string_view value) {
    value = TrimSpaces(value);
    if (!value.empty() && value.front() != '"' && value.front() != '\'')
        value = value.substr(0, value.find(','));
    return std::string(Unquote(TrimSpaces(value)));
}

}  // namespace

CHtmlStyleContext::CHtmlStyleContext(IHtmlPlatform& platform)
    : platform_(platform), pixelsPerInch_(platform.PixelsPerInch()), colors_(platform) {}

HtmlFontMetrics CHtmlStyleContext::Metrics(const HtmlStyle& style) const {
    return platform_.Metrics(platform_.Font(style));
}

std::optional<int> CHtmlStyleContext::Length(std::string_view value, int current, const HtmlStyle& style,
                                             bool fontSize) const {
    HtmlLengthBasis basis;
    basis.current = current;
    basis.pixelsPerInch = pixelsPerInch_;
    basis.fontMetrics = [this, &style] { return Metrics(style); };
    basis.fontSize = fontSize;
    return ParseHtmlLength(value, basis);
}

std::optional<HtmlBorderStyle> CHtmlStyleContext::BorderStyleNamed(std::string_view name) {
    return Lookup(kBorderStyles, name);
}
std::optional<HtmlHAlign> CHtmlStyleContext::HAlignNamed(std::string_view name) { return Lookup(kHAligns, name); }
std::optional<HtmlVAlign> CHtmlStyleContext::VAlignNamed(std::string_view name) { return Lookup(kVAligns, name); }
std::optional<int> CHtmlStyleContext::WeightNamed(std::string_view value) {
    if (const auto named = Lookup(kWeights, value))
        return named;
    const auto number = ParseCNumber(TrimSpaces(value));
    if (!number)
        return std::nullopt;
    return static_cast<int>(std::clamp<unsigned long>(*number, kWeightMin, kWeightMax));
}

void CHtmlStyleContext::ApplyBorderWidth(HtmlStyle& style, std::string_view value) const {
    const std::string key = AsciiLower(TrimSpaces(value));
    std::optional<int> width;
    if (key == "thin")
        width = style.borderWidth * kThinPercent / 100;
    else if (key == "medium")
        width = style.borderWidth;
    else if (key == "thick")
        width = std::min(style.borderWidth * kThickPercent / 100, kMaxLength);
    else
        width = Length(value, style.borderWidth, style);
    if (!width)
        return;
    style.borderWidth = *width;
    if (*width == 0)
        style.borderStyle = HtmlBorderStyle::None;
    else if (style.borderStyle == HtmlBorderStyle::None)
        style.borderStyle = HtmlBorderStyle::Solid;
}

void CHtmlStyleContext::ApplyBorderStyle(HtmlStyle& style, std::string_view value) {
    const auto border = BorderStyleNamed(value);
    if (!border)
        return;
    style.borderStyle = *border;
    if (*border != HtmlBorderStyle::None && style.borderWidth == 0)
        style.borderWidth = 1;
}

void CHtmlStyleContext::ApplyTextDecoration(HtmlStyle& style, std::string_view value) {
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find_first_of(" ,", start), value.size());
        const std::string word = AsciiLower(value.substr(start, end - start));
        if (word == "none")
            style.underline = style.strikeOut = style.overline = false;
        else if (word == "underline")
            style.underline = true;
        else if (word == "line-through")
            style.strikeOut = true;
        else if (word == "overline")
            style.overline = true;
        start = end + 1;
    }
}

void CHtmlStyleContext::ApplyDeclaration(HtmlStyle& style, std::string_view property, std::string_view value) const {
    const std::string name = AsciiLower(TrimSpaces(property));
    value = TrimSpaces(value);
    if (name == "font-size") {
        if (const auto size = Length(value, style.size, style, true))
            style.size = *size;
    } else if (name == "font-family") {
        if (std::string face = FirstFamily(value); !face.empty())
            style.face = std::move(face);
    } else if (name == "font-style") {
        if (const auto italic = Lookup(kFontStyles, value))
            style.italic = *italic;
    } else if (name == "font-weight") {
        if (const auto weight = WeightNamed(value))
            style.weight = *weight;
    } else if (name == "text-align") {
        if (const auto align = HAlignNamed(value))
            style.hAlign = *align;
    } else if (name == "text-transform") {
        if (const auto transform = Lookup(kTransforms, value))
            style.transform = *transform;
    } else if (name == "color") {
        if (const auto color = Color(value))
            style.color = *color;
    } else if (name == "background-color") {
        if (AsciiLower(value) == "transparent") {
            style.solidBackground = false;
        } else if (const auto color = Color(value)) {
            style.solidBackground = true;
            style.backgroundColor = *color;
        }
    } else if (name == "text-decoration") {
        ApplyTextDecoration(style, value);
    } else if (name == "vertical-align") {
        if (const auto align = VAlignNamed(value))
            style.vAlign = *align;
    } else if (name == "border-color") {
        if (const auto color = Color(value))
            style.borderLight = style.borderDark = *color;
    } else if (name == "border-width" || name == "size") {
        ApplyBorderWidth(style, value);
    } else if (name == "border-style") {
        ApplyBorderStyle(style, value);
    } else if (name == "margin") {
        if (const auto margin = Length(value, style.margin, style))
            style.margin = *margin;
    } else if (name == "padding") {
        if (const auto padding = Length(value, style.padding, style))
            style.padding = *padding;
    }
}

}  // namespace tarvel
