#include "tooltip/CHtmlFontCache.h"

#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

// Faces that are monospaced by nature. Asked for as fixed-pitch, a missing
// one falls back to another monospace face and code keeps its columns.
constexpr std::string_view kFixedPitchFaces[] = {
    "andale mono", "consolas",    "courier",         "courier new",    "dejavu sans mono",
    "fixedsys",    "inconsolata", "liberation mono", "lucida console", "lucida sans typewriter",
    "menlo",       "monaco",      "monospace",       "terminal",
};

DWORD PitchAndFamily(const std::string& face) {
    const std::string name = AsciiLower(TrimSpaces(face));
    for (const std::string_view fixed : kFixedPitchFaces)
        if (name == fixed)
            return FIXED_PITCH | FF_MODERN;
    return DEFAULT_PITCH | FF_DONTCARE;
}

}  // namespace

HFONT CHtmlFontCache::Get(const HtmlStyle& s) {
    const std::string key =
        s.face + '|' + std::to_string(s.size) + '|' + std::to_string(s.weight) + '|' + char('0' + s.italic);
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        if (Full())
            return Stock();
        found = fonts_
                    .emplace(key,
                             tarvel::UniqueFont(::CreateFontA(-s.size, 0, 0, 0, s.weight, s.italic, FALSE, FALSE,
                                                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                                              DEFAULT_QUALITY, PitchAndFamily(s.face), s.face.c_str())))
                    .first;
    }
    return found->second ? found->second.get() : Stock();
}

}  // namespace tarvel
