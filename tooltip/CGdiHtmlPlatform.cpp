#include "tooltip/CGdiHtmlPlatform.h"

#include <algorithm>

namespace tarvel {

static_assert(kSysInfoBk == COLOR_INFOBK && kSys3DLight == COLOR_3DLIGHT && kSysBtnHighlight == COLOR_BTNHIGHLIGHT &&
                  kSysInactiveCaptionText == COLOR_INACTIVECAPTIONTEXT && kSysScrollbar == COLOR_SCROLLBAR,
              "system colour numbers are those of Windows");

CGdiHtmlPlatform::CGdiHtmlPlatform(HDC dc, CHtmlFontCache& fonts, CHtmlImageCache& images, HINSTANCE module)
    : dc_(dc), fonts_(fonts), images_(images), module_(module) {}

void CGdiHtmlPlatform::Select(HtmlFontId font) {
    if (font == selected_)
        return;
    // The first selection keeps the DC's own font to give back at the end.
    if (!original_)
        original_.emplace(dc_, reinterpret_cast<HFONT>(font));
    else
        ::SelectObject(dc_, reinterpret_cast<HFONT>(font));
    selected_ = font;
}

HtmlFontId CGdiHtmlPlatform::Font(const HtmlStyle& style) { return reinterpret_cast<HtmlFontId>(fonts_.Get(style)); }

namespace {

// How far the letter's ink reaches above the baseline, if the font has it.
std::optional<int> InkAboveBaseline(HDC dc, char letter) {
    GLYPHMETRICS glyph{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (::GetGlyphOutlineA(dc, static_cast<unsigned char>(letter), GGO_METRICS, &glyph, 0, nullptr, &identity) ==
        GDI_ERROR)
        return std::nullopt;
    return static_cast<int>(glyph.gmptGlyphOrigin.y);
}

}  // namespace

// Lines where the font itself would draw them; a font without outline
// metrics gets one-pixel lines just below the baseline and half an x above it.
HtmlFontMetrics CGdiHtmlPlatform::Metrics(HtmlFontId font) {
    Select(font);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc_, &tm);
    HtmlFontMetrics m{tm.tmHeight, tm.tmAscent, tm.tmAscent / 2, tm.tmAveCharWidth};
    m.xHeight = InkAboveBaseline(dc_, 'x').value_or(m.xHeight);
    m.capitals = m.ascent - InkAboveBaseline(dc_, 'H').value_or(m.ascent);
    m.underline = std::min(m.ascent + 1, std::max(0, m.height - 1));
    m.strikeOut = m.ascent - m.xHeight / 2;
    if (const UINT size = ::GetOutlineTextMetricsA(dc_, 0, nullptr); size >= sizeof(OUTLINETEXTMETRICA)) {
        std::vector<char> buffer(size);
        auto* outline = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
        if (::GetOutlineTextMetricsA(dc_, size, outline)) {
            m.underline = m.ascent - outline->otmsUnderscorePosition;
            m.strikeOut = m.ascent - outline->otmsStrikeoutPosition;
            m.lineWidth = std::max(1, static_cast<int>(outline->otmsUnderscoreSize));
        }
    }
    return m;
}

IHtmlPlatform::RunFit CGdiHtmlPlatform::MeasureRun(HtmlFontId font, std::string_view text, int maxWidth) {
    Select(font);
    const int n = static_cast<int>(std::min<std::size_t>(text.size(), kMaxExtent));
    if (n == 0)
        return {};
    if (extents_.size() < static_cast<std::size_t>(n))
        extents_.resize(n);
    int fit = 0;
    SIZE size{};
    if (!::GetTextExtentExPointA(dc_, text.data(), n, std::max(0, maxWidth), &fit, extents_.data(), &size))
        return {};
    return {static_cast<std::size_t>(fit), fit > 0 ? extents_[fit - 1] : 0};
}

int CGdiHtmlPlatform::PixelsPerInch() { return ::GetDeviceCaps(dc_, LOGPIXELSY); }

HtmlSize CGdiHtmlPlatform::ImageSize(const HtmlImageSource& source) {
    const auto* image = images_.Find(source);
    return image ? HtmlSize{image->size.cx, image->size.cy} : HtmlSize{};
}

std::string LoadResourceString(HINSTANCE module, unsigned id) {
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return {};
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(0, bytes)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::string CGdiHtmlPlatform::ResourceString(unsigned id) { return LoadResourceString(module_, id); }

std::optional<std::string> EncodeInCodePage(UINT codePage, char32_t codePoint) {
    if (codePoint > 0xFFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return std::nullopt;
    const wchar_t wide = static_cast<wchar_t>(codePoint);
    char bytes[8] = {};
    // UTF-8 and UTF-7 have every character, and the call fails for them
    // when asked about default characters or best fits.
    const bool unicode = codePage == CP_UTF8 || codePage == CP_UTF7;
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(codePage, unicode ? 0 : WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof(bytes),
                                        nullptr, unicode ? nullptr : &usedDefault);
    if (n <= 0 || usedDefault)
        return std::nullopt;
    return std::string(bytes, static_cast<std::size_t>(n));
}

std::optional<std::string> CGdiHtmlPlatform::EncodeCharacter(char32_t codePoint) {
    return EncodeInCodePage(::GetACP(), codePoint);
}

}  // namespace tarvel
