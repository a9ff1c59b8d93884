#include "tooltip/CBalloonPainter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tooltip/CCeXDib.h"
#include "tooltip/CPPDrawManager.h"
#include "tooltip/CPPHtmlDrawer.h"

namespace tarvel {

namespace {

constexpr int kOpaque = 255;

int BlurRadius(const HtmlImageShadow& shadow, int depth) { return shadow.gradient ? std::max(0, depth / 2) : 0; }

// Running-sum box blur along one axis, in place; `stride` steps along it.
void BlurLine(int* values, int count, int stride, int radius, std::vector<int>& scratch) {
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        scratch[i] = values[i * stride];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += (i >= 0 && i < count) ? scratch[i] : 0;
    for (int i = 0; i < count; ++i) {
        values[i * stride] = sum / window;
        const int leaving = i - radius, entering = i + radius + 1;
        sum += (entering < count ? scratch[entering] : 0) - (leaving >= 0 ? scratch[leaving] : 0);
    }
}

void BoxBlur(std::vector<int>& mask, int width, int height, int rx, int ry) {
    std::vector<int> scratch;
    if (rx > 0)
        for (int y = 0; y < height; ++y)
            BlurLine(&mask[static_cast<std::size_t>(y) * width], width, 1, rx, scratch);
    if (ry > 0)
        for (int x = 0; x < width; ++x)
            BlurLine(&mask[x], height, width, ry, scratch);
}

}  // namespace

ShadowPads CBalloonPainter::PadsFor(const HtmlImageShadow& shadow) {
    if (shadow.darkness <= 0)
        return {};
    const int rx = BlurRadius(shadow, shadow.depthX), ry = BlurRadius(shadow, shadow.depthY);
    return {std::max(0, rx - shadow.offsetX), std::max(0, ry - shadow.offsetY), std::max(0, shadow.offsetX + rx),
            std::max(0, shadow.offsetY + ry)};
}

tarvel::UniqueRegion CBalloonPainter::BalloonRegion(const BalloonLayout& layout, const BalloonGeometry& geometry,
                                                    POINT origin) {
    const RECT body{origin.x + layout.body.left, origin.y + layout.body.top, origin.x + layout.body.right,
                    origin.y + layout.body.bottom};
    tarvel::UniqueRegion region(::CreateRoundRectRgn(body.left, body.top, body.right + 1, body.bottom + 1,
                                                     geometry[kCornerWidth], geometry[kCornerHeight]));
    if (!region || !geometry.HasAnchor())
        return region;
    // The base reaches a pixel into the body so that the two join seamlessly.
    const BalloonPoint tip = layout.arrow[0];
    const int inwardX = layout.arrow[1].x == layout.arrow[2].x ? (tip.x < layout.arrow[1].x ? 1 : -1) : 0;
    const int inwardY = layout.arrow[1].y == layout.arrow[2].y ? (tip.y < layout.arrow[1].y ? 1 : -1) : 0;
    POINT triangle[3];
    for (int i = 0; i < 3; ++i) {
        const int shift = i == 0 ? 0 : 1;
        triangle[i] = {origin.x + layout.arrow[i].x + inwardX * shift, origin.y + layout.arrow[i].y + inwardY * shift};
    }
    tarvel::UniqueRegion arrow(::CreatePolygonRgn(triangle, 3, WINDING));
    if (arrow)
        ::CombineRgn(region.get(), region.get(), arrow.get(), RGN_OR);
    return region;
}

tarvel::UniqueRegion CBalloonPainter::WindowRegion(HRGN balloon, const HtmlImageShadow& shadow) {
    tarvel::UniqueRegion window(::CreateRectRgn(0, 0, 0, 0));
    if (!window)
        return window;
    ::CombineRgn(window.get(), balloon, nullptr, RGN_COPY);
    if (shadow.darkness <= 0)
        return window;
    const int rx = BlurRadius(shadow, shadow.depthX), ry = BlurRadius(shadow, shadow.depthY);
    tarvel::UniqueRegion moved(::CreateRectRgn(0, 0, 0, 0));
    if (!moved)
        return window;
    for (int dy : {-ry, 0, ry})
        for (int dx : {-rx, 0, rx}) {
            ::CombineRgn(moved.get(), balloon, nullptr, RGN_COPY);
            ::OffsetRgn(moved.get(), shadow.offsetX + dx, shadow.offsetY + dy);
            ::CombineRgn(window.get(), window.get(), moved.get(), RGN_OR);
        }
    return window;
}

std::array<RECT, 4> CBalloonPainter::BandsAround(SIZE size, const RECT& covered) {
    return {{{0, 0, size.cx, covered.top},
             {0, covered.bottom, size.cx, size.cy},
             {0, covered.top, covered.left, covered.bottom},
             {covered.right, covered.top, size.cx, covered.bottom}}};
}

// The balloon paints over its shadow wherever it covers it, so the shadow is
// worked out only in the bands around `covered`, a part of the balloon.
void CBalloonPainter::CastShadow(CCeXDib& canvas, HRGN balloon, const HtmlImageShadow& shadow, const RECT& covered) {
    const DWORD bytes = ::GetRegionData(balloon, 0, nullptr);
    std::vector<std::uint8_t> data(bytes);
    auto* shape = reinterpret_cast<RGNDATA*>(data.data());
    if (bytes == 0 || ::GetRegionData(balloon, bytes, shape) != bytes)
        return;
    for (const RECT& band : BandsAround({canvas.Width(), canvas.Height()}, covered))
        if (band.right > band.left && band.bottom > band.top)
            ShadowBand(canvas, *shape, shadow, band);
}

// The balloon's spans, moved by the shadow's offset, are its coverage.
void CBalloonPainter::ShadowBand(CCeXDib& canvas, const RGNDATA& balloon, const HtmlImageShadow& shadow,
                                 const RECT& band) {
    // The blur reads its radius beyond the band.
    const int rx = BlurRadius(shadow, shadow.depthX), ry = BlurRadius(shadow, shadow.depthY);
    const RECT source{band.left - rx, band.top - ry, band.right + rx, band.bottom + ry};
    const int width = source.right - source.left, height = source.bottom - source.top;
    std::vector<int> mask(static_cast<std::size_t>(width) * height, 0);
    const RECT within{0, 0, width, height};
    const auto* spans = reinterpret_cast<const RECT*>(balloon.Buffer);
    for (DWORD i = 0; i < balloon.rdh.nCount; ++i) {
        RECT span = spans[i];
        ::OffsetRect(&span, shadow.offsetX - source.left, shadow.offsetY - source.top);
        if (!::IntersectRect(&span, &span, &within))
            continue;
        for (int y = span.top; y < span.bottom; ++y)
            std::fill_n(&mask[static_cast<std::size_t>(y) * width + span.left], span.right - span.left, kOpaque);
    }
    BoxBlur(mask, width, height, rx, ry);
    const int darkness = std::clamp(shadow.darkness, 0, 100);
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x) {
            const int coverage = mask[static_cast<std::size_t>(y - source.top) * width + (x - source.left)];
            if (coverage == 0)
                continue;
            const std::uint32_t keep = static_cast<std::uint32_t>(kOpaque * 100 - coverage * darkness);
            std::uint32_t& p = canvas.At(x, y);
            const std::uint32_t r = ((p >> 16) & 0xFF) * keep / 25500, g = ((p >> 8) & 0xFF) * keep / 25500,
                                b = (p & 0xFF) * keep / 25500;
            p = (r << 16) | (g << 8) | b;
        }
}

void CBalloonPainter::ShadeBelowOpaqueBody(CCeXDib& background, HRGN balloon, const BalloonLook& look,
                                           const RECT& textRect) {
    ::GdiFlush();
    if (look.effect != kEffectTransparent && look.shadow.darkness > 0)
        CastShadow(background, balloon, look.shadow, textRect);
}

// Around an opaque body the background holds the finished pixels, and the
// body is painted over it in place: no second bitmap, no copy. Through a
// transparent body the screen shows, so a copy of it takes the shadow.
void CBalloonPainter::Paint(HDC target, CCeXDib& background, HRGN balloon, const BalloonLook& look,
                            CPPHtmlDrawer& drawer, const RECT& textRect) {
    if (look.effect != kEffectTransparent) {
        PaintBalloon(target, background, balloon, look, drawer, textRect);
        return;
    }
    CCeXDib canvas(background.Width(), background.Height());
    if (!canvas.Valid())
        return;
    ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), background.Dc(), 0, 0, SRCCOPY);
    ::GdiFlush();
    if (look.shadow.darkness > 0)
        CastShadow(canvas, balloon, look.shadow, textRect);
    PaintBalloon(target, canvas, balloon, look, drawer, textRect);
}

void CBalloonPainter::PaintBalloon(HDC target, CCeXDib& canvas, HRGN balloon, const BalloonLook& look,
                                   CPPHtmlDrawer& drawer, const RECT& textRect) {
    const HDC dc = canvas.Dc();
    ::GdiFlush();
    RECT box{};
    ::GetRgnBox(balloon, &box);
    CPPDrawManager::FillEffect(canvas, balloon, box, look.effect, look.colors[0], look.colors[1], look.colors[2],
                               look.granularity);
    ::SelectClipRgn(dc, balloon);
    ::IntersectClipRect(dc, textRect.left, textRect.top, textRect.right, textRect.bottom);
    drawer.DrawPreparedOutput(dc, textRect);
    ::SelectClipRgn(dc, nullptr);
    if (look.border)
        ::FrameRgn(dc, balloon, look.border, look.borderWidth, look.borderHeight);
    ::BitBlt(target, 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
}

}  // namespace tarvel
