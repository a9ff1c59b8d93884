#pragma once

#include <windows.h>

#include <array>

#include "layout/BalloonPlacement.h"
#include "tooltip/HtmlTypes.h"
#include "handles/UniqueHandle.h"

namespace tarvel {

class CCeXDib;
class CPPHtmlDrawer;

// How a balloon looks: its background effect, border and shadow.
struct BalloonLook {
    int effect = 0;
    int granularity = 0;
    COLORREF colors[3] = {};
    HBRUSH border = nullptr;
    int borderWidth = 1;
    int borderHeight = 1;
    HtmlImageShadow shadow;
};

// The room a shadow takes around the balloon, in pixels.
struct ShadowPads {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The shape and the pixels of a balloon tooltip: the rounded body joined
// with its arrow, the shadow it casts on what was on the screen below it,
// the background effect, the border and the markup.
class CBalloonPainter {
public:
    static ShadowPads PadsFor(const HtmlImageShadow& shadow);
    // The body and arrow of a layout whose window starts at `origin` of the
    // region's coordinates.
    static tarvel::UniqueRegion BalloonRegion(const BalloonLayout& layout, const BalloonGeometry& geometry,
                                              POINT origin);
    // The balloon with the room its shadow falls on.
    static tarvel::UniqueRegion WindowRegion(HRGN balloon, const HtmlImageShadow& shadow);
    // Darkens the screen below an opaque balloon, captured in `background`,
    // where its shadow falls; once per capture, as the body hides the rest.
    static void ShadeBelowOpaqueBody(CCeXDib& background, HRGN balloon, const BalloonLook& look,
                                     const RECT& textRect);
    // Paints the window over `background` (the screen below it, shaded
    // already for an opaque body, which is then painted over in place);
    // the text rectangle lies inside the balloon.
    static void Paint(HDC target, CCeXDib& background, HRGN balloon, const BalloonLook& look, CPPHtmlDrawer& drawer,
                      const RECT& textRect);
    // The parts of a window of `size` around `covered`, a part of the
    // balloon that an opaque effect paints over: only there can the screen
    // below show, through the shadow.
    static std::array<RECT, 4> BandsAround(SIZE size, const RECT& covered);

private:
    static void CastShadow(CCeXDib& canvas, HRGN balloon, const HtmlImageShadow& shadow, const RECT& covered);
    static void ShadowBand(CCeXDib& canvas, const RGNDATA& balloon, const HtmlImageShadow& shadow, const RECT& band);
    static void PaintBalloon(HDC target, CCeXDib& canvas, HRGN balloon, const BalloonLook& look,
                             CPPHtmlDrawer& drawer, const RECT& textRect);
};

}  // namespace tarvel
