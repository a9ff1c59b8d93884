#include "tooltip/CHtmlGdiPainter.h"

#include <algorithm>

#include "tooltip/CPPDrawManager.h"
#include "handles/PaintScope.h"
#include "handles/UniqueHandle.h"

namespace tarvel {

namespace {

constexpr int kDoubleGap = 2;
// The styles work on three copies of the image's pixels; one larger than
// this (only markup that asks for it) is drawn without its style.
constexpr long long kMaxStyledPixels = 1LL << 22;
// A masked image scaled to more pixels than this is not copied first but
// left to TransparentBlt's own stretching.
constexpr long long kMaxStretchedPixels = 1LL << 22;
// What shows through a scaled image list's image that masks itself but was
// named without a mask colour.
constexpr COLORREF kListKeyColor = RGB(255, 0, 255);
// How far an item may draw outside its box: an image's shadow reaches at
// most its largest offset and depth (64 each) beyond it; a glyph overhangs
// its cell by far less.
constexpr int kDrawnBeyondBox = 128;

std::optional<COLORREF> KeyOf(const HtmlImage& item) {
    return item.source.masked ? std::optional<COLORREF>(item.source.maskColor) : std::nullopt;
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

int CHtmlGdiPainter::Frame(const HtmlImage& image, int count, DWORD elapsed) {
    if (count <= 0)
        return image.index;
    if (image.speed <= 0)
        return image.index % count;
    return static_cast<int>((image.index + elapsed / static_cast<DWORD>(image.speed)) % static_cast<DWORD>(count));
}

void CHtmlGdiPainter::Paint(const HtmlDisplayList& list, POINT origin) {
    origin_ = origin;
    const tarvel::SavedDC saved(dc_);
    // What an earlier paint selected went back with its restored DC.
    font_ = nullptr;
    textColor_ = CLR_INVALID;
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    // A long text shows a few of its lines: those outside the clip are not
    // drawn at all rather than drawn and clipped.
    RECT shown{};
    const bool clipped = ::GetClipBox(dc_, &shown) != ERROR;
    ::InflateRect(&shown, kDrawnBeyondBox, kDrawnBeyondBox);
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        const HtmlDisplayItem& item = list.items[i];
        if (clipped && !Overlaps(At(std::visit([](const auto& drawn) { return drawn.box; }, item)), shown))
            continue;
        if (const auto* run = std::get_if<HtmlTextRun>(&item))
            Text(*run, list.styles.at(run->style));
        else if (const auto* rule = std::get_if<HtmlRule>(&item))
            Rule(*rule);
        else if (const auto* border = std::get_if<HtmlBorder>(&item))
            Border(*border);
        else if (const auto* fill = std::get_if<HtmlFill>(&item))
            Fill(*fill);
        else if (const auto* image = std::get_if<HtmlImage>(&item))
            Image(*image,
                  static_cast<int>(i) == options_.hotItem && image->hasHotStyle ? image->hotStyle : image->style);
    }
}

// The run's background and lines are the layout's fills and rules.
void CHtmlGdiPainter::Text(const HtmlTextRun& run, const HtmlStyle& style) {
    const RECT box = At(run.box);
    const HFONT font = reinterpret_cast<HFONT>(run.font);
    if (font != font_)
        ::SelectObject(dc_, font_ = font);
    if (style.color != textColor_)
        ::SetTextColor(dc_, textColor_ = style.color);
    if (run.justify > 0)
        ::SetTextJustification(dc_, run.justify, static_cast<int>(std::count(run.text.begin(), run.text.end(), ' ')));
    ::TextOutA(dc_, box.left, box.top, run.text.data(), static_cast<int>(run.text.size()));
    if (run.justify > 0)
        ::SetTextJustification(dc_, 0, 0);
}

void CHtmlGdiPainter::Line(int x1, int y1, int x2, int y2, COLORREF color, int penStyle) {
    const tarvel::UniquePen pen(::CreatePen(penStyle, 1, color));
    const tarvel::SelectedObject selected(dc_, pen.get());
    ::MoveToEx(dc_, x1, y1, nullptr);
    ::LineTo(dc_, x2, y2);
}

void CHtmlGdiPainter::Rule(const HtmlRule& rule) { CPPDrawManager::FillSolid(dc_, At(rule.box), rule.color); }

// Raised borders are light on top and left, sunken ones dark there.
void CHtmlGdiPainter::Border(const HtmlBorder& border) {
    const RECT r = At(border.box);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const COLORREF topLeft = border.raised ? border.light : border.dark;
    const COLORREF bottomRight = border.raised ? border.dark : border.light;
    if (border.style == HtmlBorderStyle::Solid) {
        const int w = border.width;
        CPPDrawManager::FillSolid(dc_, {r.left, r.top, r.right, r.top + w}, topLeft);
        CPPDrawManager::FillSolid(dc_, {r.left, r.top, r.left + w, r.bottom}, topLeft);
        CPPDrawManager::FillSolid(dc_, {r.left, r.bottom - w, r.right, r.bottom}, bottomRight);
        CPPDrawManager::FillSolid(dc_, {r.right - w, r.top, r.right, r.bottom}, bottomRight);
        return;
    }
    const int pen = border.style == HtmlBorderStyle::Dotted   ? PS_DOT
                    : border.style == HtmlBorderStyle::Dashed ? PS_DASH
                                                              : PS_SOLID;
    const int rings = border.style == HtmlBorderStyle::Double ? 2 : 1;
    for (int ring = 0; ring < rings; ++ring) {
        const int d = ring * kDoubleGap;
        const RECT q{r.left + d, r.top + d, r.right - 1 - d, r.bottom - 1 - d};
        Line(q.left, q.top, q.right, q.top, topLeft, pen);
        Line(q.left, q.top, q.left, q.bottom, topLeft, pen);
        Line(q.left, q.bottom, q.right + 1, q.bottom, bottomRight, pen);
        Line(q.right, q.top, q.right, q.bottom, bottomRight, pen);
    }
}

void CHtmlGdiPainter::Fill(const HtmlFill& fill) {
    CPPDrawManager::FillEffect(dc_, At(fill.box), fill.effect, fill.begin, fill.middle, fill.end, options_.granularity);
}

void CHtmlGdiPainter::DrawImage(HDC dc, const CHtmlImageCache::Image& image, const HtmlImage& item, int x, int y, int w,
                                int h) {
    switch (image.kind) {
        case HtmlImageKind::Bitmap: {
            const tarvel::UniqueMemoryDC source(::CreateCompatibleDC(dc));
            const tarvel::SelectedObject selected(source.get(), image.bitmap);
            DrawBitmap(dc, source.get(), image.size, KeyOf(item), x, y, w, h);
            break;
        }
        case HtmlImageKind::Icon:
            ::DrawIconEx(dc, x, y, image.icon, w, h, 0, nullptr, DI_NORMAL);
            break;
        case HtmlImageKind::ImageList:
            DrawListImage(dc, image, item, x, y, w, h);
            break;
    }
}

// The list draws its images only at their own size: a scaled one is drawn
// into a bitmap of one cell, its see-through part in the mask colour, and
// that is scaled and masked as a bitmap is.
void CHtmlGdiPainter::DrawListImage(HDC dc, const CHtmlImageCache::Image& image, const HtmlImage& item, int x, int y,
                                    int w, int h) {
    const int frame = Frame(item, image.count, options_.elapsed);
    if (w == image.size.cx && h == image.size.cy) {
        ::ImageList_DrawEx(image.list, frame, dc, x, y, w, h, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        return;
    }
    IMAGEINFO info{};
    const bool masks = ::ImageList_GetImageInfo(image.list, frame, &info) && info.hbmMask;
    const std::optional<COLORREF> key = masks ? KeyOf(item).value_or(kListKeyColor) : std::optional<COLORREF>();
    const tarvel::UniqueMemoryDC cell(::CreateCompatibleDC(dc));
    const tarvel::UniqueBitmap bitmap(::CreateCompatibleBitmap(dc, image.size.cx, image.size.cy));
    if (!cell || !bitmap)
        return;
    const tarvel::SelectedObject selected(cell.get(), bitmap.get());
    if (key)
        CPPDrawManager::FillSolid(cell.get(), {0, 0, image.size.cx, image.size.cy}, *key);
    ::ImageList_DrawEx(image.list, frame, cell.get(), 0, 0, image.size.cx, image.size.cy, CLR_NONE, CLR_NONE,
                       ILD_TRANSPARENT);
    DrawBitmap(dc, cell.get(), image.size, key, x, y, w, h);
}

void CHtmlGdiPainter::DrawBitmap(HDC dc, HDC source, SIZE size, std::optional<COLORREF> key, int x, int y, int w,
                                 int h) {
    // The default mode ANDs the pixels a shrunk colour image drops, which
    // darkens it and, masked, rings the mask's edge.
    ::SetStretchBltMode(dc, COLORONCOLOR);
    if (!key) {
        ::StretchBlt(dc, x, y, w, h, source, 0, 0, size.cx, size.cy, SRCCOPY);
        return;
    }
    const bool scaled = w != size.cx || h != size.cy;
    if (!scaled || static_cast<long long>(w) * h > kMaxStretchedPixels) {
        ::TransparentBlt(dc, x, y, w, h, source, 0, 0, size.cx, size.cy, *key);
        return;
    }
    // TransparentBlt stretches in a mode of its own (Wine's ANDs), so the
    // image is stretched first, keeping its colours, and masked unscaled.
    const tarvel::UniqueMemoryDC stretched(::CreateCompatibleDC(dc));
    const tarvel::UniqueBitmap bitmap(::CreateCompatibleBitmap(dc, w, h));
    const tarvel::SelectedObject selected(stretched.get(), bitmap.get());
    ::SetStretchBltMode(stretched.get(), COLORONCOLOR);
    ::StretchBlt(stretched.get(), 0, 0, w, h, source, 0, 0, size.cx, size.cy, SRCCOPY);
    ::TransparentBlt(dc, x, y, w, h, stretched.get(), 0, 0, w, h, *key);
}

// Copies of the image from the box's corner on, drawn only where the DC
// shows them: a small image under a large table costs the visible area.
void CHtmlGdiPainter::Tile(const CHtmlImageCache::Image& image, const HtmlImage& item, const RECT& box) {
    const RECT visible = CPPDrawManager::VisiblePart(dc_, box);
    if (::IsRectEmpty(&visible))
        return;
    const int cx = image.size.cx, cy = image.size.cy;
    const int left = box.left + (visible.left - box.left) / cx * cx;
    const int top = box.top + (visible.top - box.top) / cy * cy;
    const tarvel::SavedDC saved(dc_);
    ::IntersectClipRect(dc_, visible.left, visible.top, visible.right, visible.bottom);
    const tarvel::UniqueMemoryDC source(image.kind == HtmlImageKind::Bitmap ? ::CreateCompatibleDC(dc_) : nullptr);
    const tarvel::SelectedObject selected(source.get(), image.bitmap);
    for (int y = top; y < visible.bottom; y += cy)
        for (int x = left; x < visible.right; x += cx) {
            if (source)
                DrawBitmap(dc_, source.get(), image.size, KeyOf(item), x, y, cx, cy);
            else
                DrawImage(dc_, image, item, x, y, cx, cy);
        }
}

void CHtmlGdiPainter::Image(const HtmlImage& item, unsigned style) {
    const CHtmlImageCache::Image* image = images_.Find(item.source);
    if (!image)
        return;
    const RECT box = At(item.box);
    const int w = box.right - box.left, h = box.bottom - box.top;
    if (item.tiled) {
        Tile(*image, item, box);
    } else if (style == 0 || static_cast<long long>(w) * h > kMaxStyledPixels) {
        DrawImage(dc_, *image, item, box.left, box.top, w, h);
    } else {
        CPPDrawManager::DrawStyled(dc_, box.left, box.top, w, h, style, options_.shadow,
                                   [&](HDC dc) { DrawImage(dc, *image, item, 0, 0, w, h); });
    }
}

}  // namespace tarvel
