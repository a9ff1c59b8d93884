#include "tooltip/CHtmlFontCache.h"

HFONT CHtmlFontCache::Get(const HtmlStyle& s) {
    const std::string key = s.face + '|' + std::to_string(s.size) + '|' + std::to_string(s.weight) + '|' +
                            char('0' + s.italic) + char('0' + s.underline) + char('0' + s.strikeOut);
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        if (Full())
            return Stock();
        found = fonts_
                    .emplace(key, tarvel::UniqueFont(::CreateFontA(-s.size, 0, 0, 0, s.weight, s.italic, s.underline,
                                                                   s.strikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                                   DEFAULT_PITCH | FF_DONTCARE, s.face.c_str())))
                    .first;
    }
    return found->second ? found->second.get() : Stock();
}
