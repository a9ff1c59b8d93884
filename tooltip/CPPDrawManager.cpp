#include "tooltip/CPPDrawManager.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tooltip/CCeXDib.h"
#include "tooltip/HtmlDisplayList.h"

namespace tarvel {

namespace {

constexpr int kOne = 1024;  // fixed-point 1.0 of blend factors
constexpr int kNoisePerGranule = 8;
constexpr int kMetalStreak = 6;
constexpr int kDarkerPercent = 70;
constexpr int kGreyRed = 30, kGreyGreen = 59, kGreyBlue = 11;

struct Rgb {
    int r, g, b;
};

Rgb FromColor(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }
std::uint32_t ToPixel(Rgb c) {
    auto clamp = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return (clamp(c.r) << 16) | (clamp(c.g) << 8) | clamp(c.b);
}
Rgb FromPixel(std::uint32_t p) {
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}
Rgb Mix(Rgb a, Rgb b, int t) {
    t = std::clamp(t, 0, kOne);
    return {a.r + (b.r - a.r) * t / kOne, a.g + (b.g - a.g) * t / kOne, a.b + (b.b - a.b) * t / kOne};
}
Rgb Brighten(Rgb c, int delta) { return {c.r + delta, c.g + delta, c.b + delta}; }

// A repeatable pseudo-random number per position, so a redraw looks the same.
int Hash(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>((h ^ (h >> 16)) & 0xFFFF);
}

class EffectPainter {
public:
    EffectPainter(int w, int h, COLORREF begin, COLORREF middle, COLORREF end, int granularity)
        : w_(w),
          h_(h),
          begin_(FromColor(begin)),
          middle_(FromColor(middle)),
          end_(FromColor(end)),
          g_(std::max(1, granularity)) {}

    Rgb At(int effect, int x, int y) const {
        switch (effect) {
            case kEffectHGradient:
                return Mix(begin_, end_, Along(x, w_));
            case kEffectVGradient:
                return Mix(begin_, end_, Along(y, h_));
            case kEffectHCGradient:
                return Mix(begin_, end_, kOne - std::abs(2 * Along(x, w_) - kOne));
            case kEffectVCGradient:
                return Mix(begin_, end_, kOne - std::abs(2 * Along(y, h_) - kOne));
            case kEffect3HGradient:
                return Three(Along(x, w_));
            case kEffect3VGradient:
                return Three(Along(y, h_));
            case kEffectNoise:
                return Brighten(begin_, (Hash(x, y) % (2 * Noise() + 1)) - Noise());
            case kEffectDiagShade:
                return Mix(begin_, end_, (Along(x, w_) + Along(y, h_)) / 2);
            case kEffectHShade:
                return Mix(begin_, end_, Tube(y, h_));
            case kEffectVShade:
                return Mix(begin_, end_, Tube(x, w_));
            case kEffectHBump:
                return Bevel(y, h_, middle_);
            case kEffectVBump:
                return Bevel(x, w_, middle_);
            case kEffectSoftBump:
                return Bevel(x, w_, Bevel(y, h_, middle_));
            case kEffectHardBump:
                return Hard(x, y);
            case kEffectMetal:
                return Brighten(Mix(begin_, end_, Along(y, h_)), (Hash(0, y) % (2 * Streak() + 1)) - Streak());
            default:
                return begin_;
        }
    }

    // A row of count pixels from x = first. The effects that change only
    // down the rectangle are worked out once per row, the soft bump only
    // at its left and right edges: a tall balloon costs its rows.
    void Row(int effect, int y, int first, std::uint32_t* out, int count) const {
        if (ChangesOnlyDown(effect)) {
            std::fill(out, out + count, ToPixel(At(effect, 0, y)));
            return;
        }
        if (effect == kEffectSoftBump) {
            const Rgb inside = Bevel(y, h_, middle_);
            const std::uint32_t flat = ToPixel(inside);
            const int depth = BevelDepth(w_);
            for (int i = 0; i < count; ++i) {
                const int x = first + i;
                out[i] = x < depth || x >= w_ - depth ? ToPixel(Bevel(x, w_, inside)) : flat;
            }
            return;
        }
        for (int i = 0; i < count; ++i)
            out[i] = ToPixel(At(effect, first + i, y));
    }

private:
    static bool ChangesOnlyDown(int effect) {
        return effect == kEffectSolid || effect == kEffectVGradient || effect == kEffectVCGradient ||
               effect == kEffect3VGradient || effect == kEffectHShade || effect == kEffectHBump || effect == kEffectMetal;
    }
    // Position as a blend factor, in bands of the granularity.
    int Along(int v, int size) const {
        if (size <= 1)
            return 0;
        const int banded = v / g_ * g_;
        return banded * kOne / (size - 1);
    }
    Rgb Three(int t) const { return t < kOne / 2 ? Mix(begin_, middle_, 2 * t) : Mix(middle_, end_, 2 * t - kOne); }
    int Tube(int v, int size) const {
        const int d = std::abs(2 * Along(v, size) - kOne);
        return d * d / kOne;
    }
    // Begin fades in from the low edge, end from the high edge.
    int BevelDepth(int size) const { return std::max(1, std::min(2 * g_, size / 2)); }
    Rgb Bevel(int v, int size, Rgb inside) const {
        const int depth = BevelDepth(size);
        if (v < depth)
            return Mix(begin_, inside, v * kOne / depth);
        if (v >= size - depth)
            return Mix(inside, end_, (v - (size - depth) + 1) * kOne / depth);
        return inside;
    }
    Rgb Hard(int x, int y) const {
        if (x < g_ || y < g_)
            return begin_;
        if (x >= w_ - g_ || y >= h_ - g_)
            return end_;
        return middle_;
    }
    int Noise() const { return std::min(255, g_ * kNoisePerGranule); }
    int Streak() const { return std::min(64, g_ * kMetalStreak / 2 + 2); }

    int w_, h_;
    Rgb begin_, middle_, end_;
    int g_;
};

Rgb Styled(Rgb c, unsigned style) {
    if (style & kImageGrey) {
        const int l = (c.r * kGreyRed + c.g * kGreyGreen + c.b * kGreyBlue) / 100;
        c = {l, l, l};
    }
    if (style & kImageDarker)
        c = {c.r * kDarkerPercent / 100, c.g * kDarkerPercent / 100, c.b * kDarkerPercent / 100};
    if (style & kImageLighter)
        c = {c.r + (255 - c.r) / 2, c.g + (255 - c.g) / 2, c.b + (255 - c.b) / 2};
    return c;
}

// How much of each pixel the drawing covers, from drawing it on black and
// on white: where the two agree it is opaque.
std::vector<int> Coverage(CCeXDib& black, CCeXDib& white) {
    std::vector<int> alpha(static_cast<std::size_t>(black.Width()) * black.Height());
    for (std::size_t i = 0; i < alpha.size(); ++i) {
        const Rgb b = FromPixel(black.Bits()[i]), w = FromPixel(white.Bits()[i]);
        alpha[i] = 255 - ((w.r - b.r) + (w.g - b.g) + (w.b - b.b)) / 3;
    }
    return alpha;
}

std::vector<int> BoxBlur(const std::vector<int>& in, int w, int h, int rx, int ry) {
    std::vector<int> tmp(in.size()), out(in.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int k = -rx; k <= rx; ++k)
                sum += in[y * w + std::clamp(x + k, 0, w - 1)];
            tmp[y * w + x] = sum / (2 * rx + 1);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int k = -ry; k <= ry; ++k)
                sum += tmp[std::clamp(y + k, 0, h - 1) * w + x];
            out[y * w + x] = sum / (2 * ry + 1);
        }
    return out;
}

}  // namespace

void CPPDrawManager::FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const tarvel::UniqueBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &rect, brush.get());
}

RECT CPPDrawManager::VisiblePart(HDC dc, const RECT& rect) {
    RECT clip{}, visible{};
    if (::GetClipBox(dc, &clip) == ERROR)
        return rect;
    if (!::IntersectRect(&visible, &rect, &clip))
        return {};
    return visible;
}

void CPPDrawManager::FillEffect(HDC dc, const RECT& rect, int effect, COLORREF begin, COLORREF middle, COLORREF end,
                                int granularity) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (effect == kEffectTransparent || w <= 0 || h <= 0)
        return;
    if (effect == kEffectSolid || effect < kEffectTransparent || effect > kEffectMetal) {
        FillSolid(dc, rect, begin);
        return;
    }
    // The effect is laid over the whole rectangle but computed only where
    // the DC shows it: a tall table costs its visible pixels, not its size.
    const RECT visible = VisiblePart(dc, rect);
    if (::IsRectEmpty(&visible))
        return;
    CCeXDib dib(visible.right - visible.left, visible.bottom - visible.top);
    if (!dib.Valid())
        return;
    const EffectPainter painter(w, h, begin, middle, end, granularity);
    const int dx = visible.left - rect.left, dy = visible.top - rect.top;
    for (int y = 0; y < dib.Height(); ++y)
        painter.Row(effect, y + dy, dx, &dib.At(0, y), dib.Width());
    dib.DrawTo(dc, visible.left, visible.top);
}

void CPPDrawManager::FillEffect(CCeXDib& canvas, HRGN region, const RECT& rect, int effect, COLORREF begin,
                                COLORREF middle, COLORREF end, int granularity) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (effect == kEffectTransparent || w <= 0 || h <= 0)
        return;
    if (effect < kEffectTransparent || effect > kEffectMetal)
        effect = kEffectSolid;
    const DWORD bytes = ::GetRegionData(region, 0, nullptr);
    std::vector<std::uint8_t> data(bytes);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (bytes == 0 || ::GetRegionData(region, bytes, header) != bytes)
        return;
    const EffectPainter painter(w, h, begin, middle, end, granularity);
    const RECT within{std::max(0L, rect.left), std::max(0L, rect.top), std::min<LONG>(canvas.Width(), rect.right),
                      std::min<LONG>(canvas.Height(), rect.bottom)};
    const auto* spans = reinterpret_cast<const RECT*>(header->Buffer);
    for (DWORD i = 0; i < header->rdh.nCount; ++i) {
        RECT span{};
        if (!::IntersectRect(&span, &spans[i], &within))
            continue;
        for (int y = span.top; y < span.bottom; ++y)
            painter.Row(effect, y - rect.top, span.left - rect.left, &canvas.At(span.left, y), span.right - span.left);
    }
}

namespace {

// Darkens the destination under the image's coverage moved by the offsets,
// blurred by the depths.
void CastShadow(CCeXDib& dest, const std::vector<int>& alpha, int width, int height, POINT at,
                const HtmlImageShadow& shadow, int rx, int ry) {
    const int dw = dest.Width(), dh = dest.Height();
    std::vector<int> mask(static_cast<std::size_t>(dw) * dh, 0);
    for (int v = 0; v < height; ++v)
        for (int u = 0; u < width; ++u)
            mask[(v + at.y + shadow.offsetY) * dw + (u + at.x + shadow.offsetX)] = alpha[v * width + u];
    if (rx || ry)
        mask = BoxBlur(mask, dw, dh, rx, ry);
    const int darkness = std::clamp(shadow.darkness, 0, 100);
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const int keep = 255 * 100 - mask[i] * darkness;
        const Rgb c = FromPixel(dest.Bits()[i]);
        dest.Bits()[i] = ToPixel({c.r * keep / 25500, c.g * keep / 25500, c.b * keep / 25500});
    }
}

// Lays the image (drawn on black, so its colours are premultiplied by its
// coverage) over the destination in its style.
void Composite(CCeXDib& dest, CCeXDib& black, const std::vector<int>& alpha, POINT at, unsigned style) {
    for (int v = 0; v < black.Height(); ++v)
        for (int u = 0; u < black.Width(); ++u) {
            const int a = alpha[v * black.Width() + u];
            if (a <= 0)
                continue;
            const Rgb p = FromPixel(black.At(u, v));
            const Rgb c = Styled({p.r * 255 / a, p.g * 255 / a, p.b * 255 / a}, style);
            std::uint32_t& d = dest.At(u + at.x, v + at.y);
            d = ToPixel(Mix(FromPixel(d), c, a * kOne / 255));
        }
}

}  // namespace

void CPPDrawManager::DrawStyled(HDC dc, int x, int y, int width, int height, unsigned style,
                                const HtmlImageShadow& shadow, const std::function<void(HDC)>& draw) {
    if (width <= 0 || height <= 0)
        return;
    CCeXDib black(width, height), white(width, height);
    if (!black.Valid() || !white.Valid())
        return;
    black.Fill(RGB(0, 0, 0));
    white.Fill(RGB(255, 255, 255));
    draw(black.Dc());
    draw(white.Dc());
    const std::vector<int> alpha = Coverage(black, white);
    HtmlImageShadow cast = shadow;
    if (!(style & kImageShadow))
        cast.offsetX = cast.offsetY = 0;
    const int rx = (style & kImageShadow) && shadow.gradient ? std::max(0, shadow.depthX / 2) : 0;
    const int ry = (style & kImageShadow) && shadow.gradient ? std::max(0, shadow.depthY / 2) : 0;
    const int left = x + std::min(0, cast.offsetX) - rx, top = y + std::min(0, cast.offsetY) - ry;
    CCeXDib dest(width + std::abs(cast.offsetX) + 2 * rx, height + std::abs(cast.offsetY) + 2 * ry);
    if (!dest.Valid())
        return;
    dest.CopyFrom(dc, left, top);
    // GDI may still hold the drawing and the copy in its batch; the pixels
    // are read directly from here on.
    ::GdiFlush();
    const POINT at{x - left, y - top};
    if (style & kImageShadow)
        CastShadow(dest, alpha, width, height, at, cast, rx, ry);
    Composite(dest, black, alpha, at, style);
    dest.DrawTo(dc, left, top);
}

}  // namespace tarvel
