#include "tooltip/HtmlTableLook.h"

#include <algorithm>

#include "tooltip/CHtmlStyleContext.h"
#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

struct EffectName {
    std::string_view name;
    int effect;
};

constexpr EffectName kEffects[] = {
    {"transparent", kEffectTransparent},
    {"solid", kEffectSolid},
    {"hgradient", kEffectHGradient},
    {"vgradient", kEffectVGradient},
    {"hcgradient", kEffectHCGradient},
    {"vcgradient", kEffectVCGradient},
    {"3hgradient", kEffect3HGradient},
    {"3vgradient", kEffect3VGradient},
    {"noise", kEffectNoise},
    {"diagshade", kEffectDiagShade},
    {"hshade", kEffectHShade},
    {"vshade", kEffectVShade},
    {"hbump", kEffectHBump},
    {"vbump", kEffectVBump},
    {"softbump", kEffectSoftBump},
    {"hardbump", kEffectHardBump},
    {"metal", kEffectMetal},
};

constexpr int kMaxSpan = 100;
// Greys that show all four sides on white and on the tooltips' pale blue
// and grey-blue shades; the system's 3D highlight is white and vanishes.
constexpr HtmlColor kDefaultBorderLight = MakeColor(144, 144, 152);
constexpr HtmlColor kDefaultBorderDark = MakeColor(96, 96, 104);
constexpr int kMaxEffectNumber = 1000;

int Span(std::string_view value) {
    const auto n = ParseCNumber(TrimSpaces(value));
    return n ? static_cast<int>(std::clamp<unsigned long>(*n, 1, kMaxSpan)) : 1;
}

class LookReader {
public:
    LookReader(HtmlTablePart part, const CHtmlStyleContext& styles, const HtmlStyle& style)
        : part_(part), styles_(styles), style_(style) {
        look_.light = kDefaultBorderLight;
        look_.dark = kDefaultBorderDark;
        look_.fill.effect = kEffectTransparent;
        look_.fill.begin = look_.fill.middle = look_.fill.end = 0xFFFFFF;
    }

    HtmlTableLook Read(const HtmlToken& tag) {
        for (const HtmlAttribute& a : tag.attributes)
            Attribute(a.name, a.value);
        ApplyBorderRules();
        return look_;
    }

private:
    void Attribute(const std::string& name, const std::string& value) {
        if (name == "border")
            Border(value);
        else if (name == "borderstyle")
            BorderStyle(value);
        else if (name == "bordercolor")
            look_.colorGiven = (SetColor(look_.light, value) && SetColor(look_.dark, value)) || look_.colorGiven;
        else if (name == "bordercolorlight")
            look_.colorGiven = SetColor(look_.light, value) || look_.colorGiven;
        else if (name == "bordercolordark")
            look_.colorGiven = SetColor(look_.dark, value) || look_.colorGiven;
        else if (name == "bgcolor")
            BackgroundColor(value);
        else if (name == "bgmidcolor")
            middleGiven_ = SetColor(look_.fill.middle, value) || middleGiven_;
        else if (name == "bgendcolor")
            endGiven_ = SetColor(look_.fill.end, value) || endGiven_;
        else if (name == "bgeffect")
            look_.fill.effect = HtmlEffectNamed(value).value_or(look_.fill.effect);
        else if (name == "align")
            look_.align = CHtmlStyleContext::HAlignNamed(value);
        else if (name == "valign")
            look_.vAlign = CHtmlStyleContext::VAlignNamed(value);
        else if (name == "width")
            look_.width = value;
        else if (name == "height")
            look_.height = value;
        else if (name == "rowspan")
            look_.rowSpan = Span(value);
        else if (name == "colspan")
            look_.colSpan = Span(value);
    }

    bool SetColor(HtmlColor& color, std::string_view value) const {
        const auto parsed = styles_.Color(value);
        if (parsed)
            color = *parsed;
        return parsed.has_value();
    }

    void Border(std::string_view value) {
        widthGiven_ = true;
        look_.border = TrimSpaces(value).empty() ? 1 : styles_.Length(value, 0, style_).value_or(0);
    }

    void BorderStyle(std::string_view value) {
        if (const auto s = CHtmlStyleContext::BorderStyleNamed(value)) {
            styleGiven_ = true;
            look_.borderStyle = *s;
        }
    }

    // The background colour is also the start and, unless given, the middle
    // and end of an effect; it makes a transparent background solid.
    void BackgroundColor(std::string_view value) {
        const auto color = styles_.Color(value);
        if (!color)
            return;
        if (!middleGiven_)
            look_.fill.middle = *color;
        if (!endGiven_)
            look_.fill.end = *color;
        look_.fill.begin = *color;
        if (look_.fill.effect == kEffectTransparent)
            look_.fill.effect = kEffectSolid;
    }

    void ApplyBorderRules() {
        look_.borderGiven = widthGiven_ || styleGiven_;
        const bool removed = (widthGiven_ && look_.border == 0) ||
                             (styleGiven_ && look_.borderStyle == HtmlBorderStyle::None) || !look_.borderGiven;
        if (removed) {
            look_.border = 0;
            look_.borderStyle = HtmlBorderStyle::None;
            return;
        }
        if (!styleGiven_)
            look_.borderStyle = HtmlBorderStyle::Solid;
        if (!widthGiven_ || look_.borderStyle != HtmlBorderStyle::Solid)
            look_.border = 1;
        if (part_ != HtmlTablePart::Table)
            look_.border = std::min(look_.border, 1);
    }

    HtmlTablePart part_;
    const CHtmlStyleContext& styles_;
    const HtmlStyle& style_;
    HtmlTableLook look_;
    bool widthGiven_ = false;
    bool styleGiven_ = false;
    bool middleGiven_ = false;
    bool endGiven_ = false;
};

}  // namespace

std::optional<int> HtmlEffectNamed(std::string_view value) {
    const std::string name = AsciiLower(TrimSpaces(value));
    for (const EffectName& e : kEffects)
        if (e.name == name)
            return e.effect;
    std::string_view digits(name);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    const auto number = ParseCNumber(digits);
    if (!number || *number > kMaxEffectNumber)
        return std::nullopt;
    return negative ? -static_cast<int>(*number) : static_cast<int>(*number);
}

HtmlTableLook ReadHtmlTableLook(const HtmlToken& tag, HtmlTablePart part, const CHtmlStyleContext& styles,
                                const HtmlStyle& style) {
    return LookReader(part, styles, style).Read(tag);
}

}  // namespace tarvel
