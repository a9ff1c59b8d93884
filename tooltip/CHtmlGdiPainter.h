#pragma once

#include <windows.h>

#include <optional>

#include "tooltip/CHtmlImageCache.h"
#include "tooltip/HtmlDisplayList.h"

namespace tarvel {

// Draws a display list into a device context.
class CHtmlGdiPainter {
public:
    struct Options {
        HtmlImageShadow shadow;
        DWORD elapsed = 0;    // milliseconds of animation so far
        int hotItem = -1;     // the image (item index) drawn in its hot style
        int granularity = 5;  // of the table backgrounds' effects
    };

    CHtmlGdiPainter(HDC dc, CHtmlImageCache& images, const Options& options)
        : dc_(dc), images_(images), options_(options) {}

    void Paint(const HtmlDisplayList& list, POINT origin);

    // The image of an image list shown at that time.
    static int Frame(const HtmlImage& image, int count, DWORD elapsed);

private:
    void Text(const HtmlTextRun& run, const HtmlStyle& style);
    void Rule(const HtmlRule& rule);
    void Border(const HtmlBorder& border);
    void Fill(const HtmlFill& fill);
    void Image(const HtmlImage& image, unsigned style);
    void DrawImage(HDC dc, const CHtmlImageCache::Image& image, const HtmlImage& item, int x, int y, int w, int h);
    void DrawListImage(HDC dc, const CHtmlImageCache::Image& image, const HtmlImage& item, int x, int y, int w, int h);
    // Draws the source's picture of that size scaled into the box, leaving
    // out the key colour if there is one.
    static void DrawBitmap(HDC dc, HDC source, SIZE size, std::optional<COLORREF> key, int x, int y, int w, int h);
    void Tile(const CHtmlImageCache::Image& image, const HtmlImage& item, const RECT& box);
    RECT At(const HtmlRect& r) const {
        return {r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y};
    }
    void Line(int x1, int y1, int x2, int y2, COLORREF color, int penStyle = PS_SOLID);

    HDC dc_;
    CHtmlImageCache& images_;
    Options options_;
    POINT origin_{};
    HFONT font_ = nullptr;
    COLORREF textColor_ = CLR_INVALID;
};

}  // namespace tarvel
