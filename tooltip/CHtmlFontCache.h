#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "tooltip/HtmlStyle.h"
#include "handles/UniqueHandle.h"

namespace tarvel {

// The GDI fonts of a drawer's layouts; they live as long as the drawer, so
// a display list's font ids stay valid until it is drawn. GDI handles are
// few per process, so markup with many sizes or faces gets no more than
// kMaxFonts of them; the styles past that are drawn in the stock font.
class CHtmlFontCache {
public:
    static constexpr std::size_t kMaxFonts = 128;

    HFONT Get(const HtmlStyle& style);
    bool Full() const { return fonts_.size() >= kMaxFonts; }
    // Frees every font; no display list laid out before may be drawn after.
    void Clear() { fonts_.clear(); }

private:
    static HFONT Stock() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

    std::map<std::string, tarvel::UniqueFont> fonts_;
};

}  // namespace tarvel
