#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/tooltip/PngFile.h"
#include "tooltip/CCeXDib.h"
#include "tooltip/CPPHtmlDrawer.h"

namespace tarvel {

// A white memory bitmap to draw markup into and read pixels back from.
class GdiTestCanvas {
public:
    GdiTestCanvas(int width = 400, int height = 200) : dib_(width, height) { dib_.Fill(RGB(255, 255, 255)); }

    HDC Dc() const { return dib_.Dc(); }
    COLORREF At(int x, int y) {
        const std::uint32_t p = dib_.At(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Lays out and draws at (x, y); returns the size it needed.
    SIZE Draw(CPPHtmlDrawer& drawer, std::string_view markup, int x = 0, int y = 0, int maxWidth = 0) {
        const SIZE size = drawer.PrepareOutput(Dc(), markup, maxWidth);
        const RECT rect{x, y, x + size.cx, y + size.cy};
        drawer.DrawPreparedOutput(Dc(), rect);
        return size;
    }
    // Pixels in the rectangle for which `match` holds.
    template <typename Match>
    int Count(const RECT& r, Match match) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += match(At(x, y)) ? 1 : 0;
        return n;
    }
    // Bounding box of the matching pixels in the rectangle (empty if none).
    template <typename Match>
    RECT Bounds(const RECT& r, Match match) {
        RECT b{r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (match(At(x, y))) {
                    b.left = std::min<LONG>(b.left, x);
                    b.top = std::min<LONG>(b.top, y);
                    b.right = std::max<LONG>(b.right, x + 1);
                    b.bottom = std::max<LONG>(b.bottom, y + 1);
                }
        return b;
    }
    RECT Whole() const { return {0, 0, dib_.Width(), dib_.Height()}; }
    bool SavePng(const std::string& path) { return PngFile::Write(path, dib_.Width(), dib_.Height(), dib_.Bits()); }

private:
    CCeXDib dib_;
};

inline bool Reddish(COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 110 && GetBValue(c) < 110; }
inline bool Bluish(COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 110 && GetGValue(c) < 110; }
inline bool Greenish(COLORREF c) { return GetGValue(c) > 90 && GetRValue(c) < 80 && GetBValue(c) < 80; }
inline bool NotWhite(COLORREF c) { return c != RGB(255, 255, 255); }
inline RECT ToRect(const HtmlRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace tarvel
