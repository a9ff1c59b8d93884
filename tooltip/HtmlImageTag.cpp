#include "tooltip/HtmlImageTag.h"

#include "tooltip/CHtmlLayoutContext.h"
#include "tooltip/HtmlText.h"
#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

namespace {

// A mask written without a colour keys out magenta, the usual key colour.
constexpr HtmlColor kDefaultMaskColor = MakeColor(255, 0, 255);

HtmlImageKind KindOf(HtmlTagKind tag) {
    if (tag == HtmlTagKind::Icon)
        return HtmlImageKind::Icon;
    if (tag == HtmlTagKind::ImageList)
        return HtmlImageKind::ImageList;
    return HtmlImageKind::Bitmap;
}

int NumberOr(const HtmlToken& tag, std::string_view name, int fallback) {
    const std::string* value = tag.Attribute(name);
    const auto number = value ? ParseCNumber(TrimSpaces(Unquote(*value))) : std::nullopt;
    return number ? static_cast<int>(std::min<unsigned long>(*number, kMaxLength)) : fallback;
}

std::uintptr_t HexHandle(std::string_view text) {
    text = TrimSpaces(Unquote(TrimSpaces(text)));
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    const auto value = ParseCNumber("0x" + std::string(text));
    return value ? static_cast<std::uintptr_t>(*value) : 0;
}

HtmlImageSource SourceOf(const HtmlToken& tag, const CHtmlLayoutContext& context) {
    HtmlImageSource source;
    source.kind = KindOf(tag.kind);
    if (const std::string* id = tag.Attribute("idres"))
        source.resourceId = ParseResourceId(Unquote(TrimSpaces(*id))).value_or(0);
    for (const HtmlAttribute& a : tag.attributes) {
        if (a.name == "iddll" || a.name == "srcdll")
            source.module = a.value;
        else if (a.name == "file")
            source.file = a.value;
        else if (a.name == "handle")
            source.handle = HexHandle(a.value);
        else if (a.name == "mask") {
            source.masked = true;
            source.maskColor = context.StyleContext().Color(a.value).value_or(kDefaultMaskColor);
        }
    }
    source.cellWidth = NumberOr(tag, "cx", 0);
    source.cellHeight = NumberOr(tag, "cy", 0);
    return source;
}

int Dimension(const HtmlToken& tag, std::string_view name, int own, const HtmlStyle& style,
              const CHtmlLayoutContext& context) {
    const std::string* value = tag.Attribute(name);
    if (!value)
        return own;
    const int length = context.StyleContext().Length(*value, own, style).value_or(0);
    return length == 0 ? own : length;
}

}  // namespace

unsigned HtmlImageStyleBits(std::string_view letters, const HtmlImageShadow& shadow) {
    unsigned bits = 0;
    for (const char c : AsciiLower(letters)) {
        if (c == 'g')
            bits |= kImageGrey;
        else if (c == 'd')
            bits |= kImageDarker;
        else if (c == 'l')
            bits |= kImageLighter;
        else if (c == 's' && (shadow.offsetX != 0 || shadow.offsetY != 0))
            bits |= kImageShadow;
    }
    return bits;
}

HtmlImage ReadHtmlImageTag(const HtmlToken& tag, const HtmlStyle& style, CHtmlLayoutContext& context) {
    HtmlImage image;
    image.source = SourceOf(tag, context);
    const HtmlSize own = context.Platform().ImageSize(image.source);
    image.box = MakeRect(0, 0, Dimension(tag, "width", own.cx, style, context),
                         Dimension(tag, "height", own.cy, style, context));
    image.index = NumberOr(tag, "index", 0);
    image.speed = NumberOr(tag, "speed", 0);
    const HtmlImageShadow& shadow = context.Options().imageShadow;
    if (const std::string* s = tag.Attribute("style"))
        image.style = HtmlImageStyleBits(*s, shadow);
    if (const std::string* s = tag.Attribute("hotstyle")) {
        image.hotStyle = HtmlImageStyleBits(*s, shadow);
        image.hasHotStyle = true;
    }
    return image;
}

}  // namespace tarvel
