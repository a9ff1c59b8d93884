#include "tests/tooltip/FakeHtmlPlatform.h"

#include <algorithm>

namespace tarvel {

namespace {

const std::map<char32_t, std::string> kWestern = {
    {0x2022, "\x95"}, {0xB6, "\xB6"}, {0xA9, "\xA9"}, {0xA3, "\xA3"},
    {0x20AC, "\x80"}, {0xAE, "\xAE"}, {0xBF, "\xBF"}, {0x2122, "\x99"},
};

}  // namespace

std::map<char32_t, std::string> CyrillicEncoding() {
    return {{0x2022, "\x95"}, {0xB6, "\xB6"}, {0xA9, "\xA9"}, {0x20AC, "\x88"}, {0xAE, "\xAE"}, {0x2122, "\x99"}};
}

HtmlFontId FakeHtmlPlatform::Font(const HtmlStyle& style) {
    const auto it = std::find_if(fonts_.begin(), fonts_.end(), [&](const HtmlStyle& s) { return s.SameFont(style); });
    if (it != fonts_.end())
        return static_cast<HtmlFontId>(it - fonts_.begin()) + 1;
    fonts_.push_back(style);
    return fonts_.size();
}

HtmlFontMetrics FakeHtmlPlatform::Metrics(HtmlFontId font) {
    const int size = FontStyle(font).size;
    const int ascent = size * 3 / 4, xHeight = size / 2;
    return {size, ascent, xHeight, kAdvance, ascent + 1, ascent - xHeight / 2, size / 4, 1 + size / 32};
}

IHtmlPlatform::RunFit FakeHtmlPlatform::MeasureRun(HtmlFontId, std::string_view text, int maxWidth) {
    std::size_t fit = 0;
    int width = 0;
    for (; fit < text.size(); ++fit) {
        const int advance = text[fit] == ' ' ? spaceAdvance : kAdvance;
        if (width + advance > maxWidth)
            break;
        width += advance;
    }
    return {fit, width};
}

HtmlSize FakeHtmlPlatform::ImageSize(const HtmlImageSource& source) {
    const auto it = images.find(source.resourceId);
    return it == images.end() ? HtmlSize{} : it->second;
}

std::string FakeHtmlPlatform::ResourceString(unsigned id) {
    const auto it = strings.find(id);
    return it == strings.end() ? std::string() : it->second;
}

std::optional<std::string> FakeHtmlPlatform::EncodeCharacter(char32_t codePoint) {
    const auto& table = encoding.empty() ? kWestern : encoding;
    const auto it = table.find(codePoint);
    if (it == table.end())
        return std::nullopt;
    return it->second;
}

}  // namespace tarvel
