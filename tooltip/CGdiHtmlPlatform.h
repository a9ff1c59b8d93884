#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <vector>

#include "handles/PaintScope.h"
#include "tooltip/CHtmlFontCache.h"
#include "tooltip/CHtmlImageCache.h"
#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

// Measures markup with a device context: GDI fonts, text extents, the
// device's resolution, system colours, the images' sizes, string resources
// and the ANSI code page. Selects its fonts into the DC while it lives.
class CGdiHtmlPlatform : public IHtmlPlatform {
public:
    CGdiHtmlPlatform(HDC dc, CHtmlFontCache& fonts, CHtmlImageCache& images, HINSTANCE module);
    CGdiHtmlPlatform(const CGdiHtmlPlatform&) = delete;
    CGdiHtmlPlatform& operator=(const CGdiHtmlPlatform&) = delete;

    HtmlFontId Font(const HtmlStyle& style) override;
    HtmlFontMetrics Metrics(HtmlFontId font) override;
    RunFit MeasureRun(HtmlFontId font, std::string_view text, int maxWidth) override;
    int PixelsPerInch() override;
    HtmlColor SystemColor(HtmlSystemColor index) override { return ::GetSysColor(index); }
    HtmlSize ImageSize(const HtmlImageSource& source) override;
    std::string ResourceString(unsigned id) override;
    std::optional<std::string> EncodeCharacter(char32_t codePoint) override;

private:
    void Select(HtmlFontId font);

    HDC dc_;
    CHtmlFontCache& fonts_;
    CHtmlImageCache& images_;
    HINSTANCE module_;
    std::optional<tarvel::SelectedObject> original_;
    HtmlFontId selected_ = 0;
    std::vector<int> extents_;
};

// Text of a string resource in the ANSI code page; empty when missing.
std::string LoadResourceString(HINSTANCE module, unsigned id);
// The character's bytes in that code page, or nothing when it lacks it.
std::optional<std::string> EncodeInCodePage(UINT codePage, char32_t codePoint);

}  // namespace tarvel
