#pragma once

#include <map>
#include <vector>

#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

// A platform with fixed metrics: every character is kAdvance pixels wide (a
// space spaceAdvance, as narrow as a proportional font's if a test asks), a
// font's line is as high as its size, its ascent three quarters of that,
// its x half of it; an underline lies a pixel below the baseline, a
// strike-out half an x above it, and capitals start a quarter of the size
// down.
class FakeHtmlPlatform : public IHtmlPlatform {
public:
    static constexpr int kAdvance = 6;
    static constexpr int kPixelsPerInch = 96;

    HtmlFontId Font(const HtmlStyle& style) override;
    HtmlFontMetrics Metrics(HtmlFontId font) override;
    RunFit MeasureRun(HtmlFontId font, std::string_view text, int maxWidth) override;
    int PixelsPerInch() override { return kPixelsPerInch; }
    HtmlColor SystemColor(HtmlSystemColor index) override { return SystemColorFor(index); }
    HtmlSize ImageSize(const HtmlImageSource& source) override;
    std::string ResourceString(unsigned id) override;
    std::optional<std::string> EncodeCharacter(char32_t codePoint) override;

    static HtmlColor SystemColorFor(HtmlSystemColor index) { return MakeColor(index, 0x10 + index, 0x20); }
    const HtmlStyle& FontStyle(HtmlFontId font) const { return fonts_.at(font - 1); }

    int spaceAdvance = kAdvance;
    std::map<unsigned, HtmlSize> images;       // by resource id
    std::map<unsigned, std::string> strings;   // string resources
    std::map<char32_t, std::string> encoding;  // empty: like Western (1252)

private:
    std::vector<HtmlStyle> fonts_;
};

// The Cyrillic code page's bytes for the entities' characters.
std::map<char32_t, std::string> CyrillicEncoding();

}  // namespace tarvel
