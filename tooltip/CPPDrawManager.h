#pragma once

#include <windows.h>

#include <functional>

#include "tooltip/HtmlTypes.h"

namespace tarvel {

class CCeXDib;

// Pixel work of the tooltip: background effects and the grey, darker,
// lighter and shadow styles of images.
//
// Effects (begin, middle and end colours; granularity is the band width of
// gradients and bevels in pixels, and the strength of noise and metal):
//   solid       begin everywhere
//   hgradient   begin at the left to end at the right; vgradient top to bottom
//   hcgradient  begin at the left and right edges, end in the middle column;
//   vcgradient  the same from top and bottom to the middle row
//   3hgradient  begin, middle, end from left to right; 3vgradient top to bottom
//   noise       begin with random speckles of granularity * 8 levels
//   diagshade   begin at the top-left corner to end at the bottom-right
//   hshade      a horizontal tube: begin along the middle row, end at top
//               and bottom, quadratic; vshade a vertical tube
//   hbump       middle, with bevels granularity * 2 deep: begin fading in at
//               the top, end fading in at the bottom; vbump left and right
//   softbump    a pillow: the hbump and vbump bevels on all four sides
//   hardbump    middle with solid bevels, begin top and left, end bottom
//               and right, granularity wide
//   metal       brushed metal: begin to end top to bottom, each row a
//               little lighter or darker
//   other numbers draw as solid; transparent draws nothing.
class CPPDrawManager {
public:
    static void FillEffect(HDC dc, const RECT& rect, int effect, COLORREF begin, COLORREF middle, COLORREF end,
                           int granularity);
    // The same effect laid over `rect`, written straight into the canvas's
    // pixels inside the region: no bitmap of its own and no copy.
    static void FillEffect(CCeXDib& canvas, HRGN region, const RECT& rect, int effect, COLORREF begin,
                           COLORREF middle, COLORREF end, int granularity);
    static void FillSolid(HDC dc, const RECT& rect, COLORREF color);
    // The part of the rectangle inside the DC's clip box (empty when none),
    // so that pixel work is done only where it can show.
    static RECT VisiblePart(HDC dc, const RECT& rect);

    // Draws what `draw` paints at (0, 0) of a width x height box at (x, y),
    // with the HtmlImageStyle bits; a shadow falls by the shadow's offsets,
    // blurred by its depths when it has a gradient.
    static void DrawStyled(HDC dc, int x, int y, int width, int height, unsigned style, const HtmlImageShadow& shadow,
                           const std::function<void(HDC)>& draw);
};

}  // namespace tarvel
