#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "tooltip/HtmlStyle.h"
#include "widgets/UniqueHandle.h"

// The GDI fonts of a drawer's layouts; they live as long as the drawer, so
// a display list's font ids stay valid until it is drawn.
class CHtmlFontCache {
public:
    HFONT Get(const HtmlStyle& style);

private:
    std::map<std::string, tarvel::UniqueFont> fonts_;
};
