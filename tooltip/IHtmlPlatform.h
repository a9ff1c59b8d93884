#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tooltip/HtmlStyle.h"
#include "tooltip/HtmlTypes.h"

namespace tarvel {

// Everything the markup layout needs from the device it lays out for. The
// GDI implementation measures with a device context; tests use a fake with
// fixed advances.
class IHtmlPlatform {
public:
    struct RunFit {
        std::size_t fit = 0;  // leading characters that fit in the width asked
        int width = 0;        // width of those characters
    };

    virtual ~IHtmlPlatform() = default;

    // A font for the style's face, size, weight and italic; the platform
    // owns it and may hand out the same id again. Lines under, through and
    // over the text are the layout's, so that they run on across runs.
    virtual HtmlFontId Font(const HtmlStyle& style) = 0;
    virtual HtmlFontMetrics Metrics(HtmlFontId font) = 0;
    virtual RunFit MeasureRun(HtmlFontId font, std::string_view text, int maxWidth) = 0;
    virtual int PixelsPerInch() = 0;
    virtual HtmlColor SystemColor(HtmlSystemColor index) = 0;
    // The image's own size ({0, 0} when it cannot be had); an image list's
    // size is that of one cell.
    virtual HtmlSize ImageSize(const HtmlImageSource& source) = 0;
    // Text of a string resource of the drawer's module; empty when missing.
    virtual std::string ResourceString(unsigned id) = 0;
    // The character in the text encoding the markup is written in (the
    // system's ANSI code page), or nothing when that encoding lacks it.
    virtual std::optional<std::string> EncodeCharacter(char32_t codePoint) = 0;
};

}  // namespace tarvel
