// Small value types shared by the tooltip markup parser, its layout and the
// platforms that measure and draw it.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

// Windows colour layout 0x00BBGGRR, so values pass to GDI unchanged.
using HtmlColor = std::uint32_t;

constexpr HtmlColor MakeColor(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// A font made by the platform; the platform owns it and keeps it alive until
// the platform itself goes away.
using HtmlFontId = std::uintptr_t;

// No length, position or extent of a layout leaves [0, kMaxExtent], whatever
// the markup asks for: it bounds memory, time and integer arithmetic.
constexpr int kMaxLength = 1 << 15;
constexpr int kMaxExtent = 1 << 20;

struct HtmlSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const HtmlSize& o) const { return cx == o.cx && cy == o.cy; }
};

struct HtmlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    void Offset(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const HtmlRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

inline HtmlRect MakeRect(int x, int y, int width, int height) { return HtmlRect{x, y, x + width, y + height}; }

struct HtmlFontMetrics {
    int height = 0;        // cell height of a line in this font
    int ascent = 0;        // baseline below the top of the cell
    int xHeight = 0;       // height of the letter x
    int averageWidth = 0;  // of the font's characters; tab stops go by it
    // Where the font puts lines under and through its text and where its
    // capitals start, below the top of the cell, and how thick lines are.
    int underline = 0;
    int strikeOut = 0;
    int capitals = 0;
    int lineWidth = 1;
};

enum class HtmlHAlign { Left, Center, Right, Justify };
enum class HtmlVAlign { Baseline, Top, Middle, Bottom };
enum class HtmlTextTransform { None, Uppercase, Lowercase, Capitalize };
enum class HtmlBorderStyle { None, Solid, Dotted, Dashed, Double };

// Background effects by the numbers the markup's bgeffect attribute uses.
enum HtmlBackgroundEffect : int {
    kEffectTransparent = -1,
    kEffectSolid = 0,
    kEffectHGradient = 1,
    kEffectVGradient = 2,
    kEffectHCGradient = 3,
    kEffectVCGradient = 4,
    kEffect3HGradient = 5,
    kEffect3VGradient = 6,
    kEffectNoise = 7,
    kEffectDiagShade = 8,
    kEffectHShade = 9,
    kEffectVShade = 10,
    kEffectHBump = 11,
    kEffectVBump = 12,
    kEffectSoftBump = 13,
    kEffectHardBump = 14,
    kEffectMetal = 15,
};

// System colour indices, numerically those of the Windows COLOR_* constants.
enum HtmlSystemColor : int {
    kSysScrollbar = 0,
    kSysBackground = 1,
    kSysActiveCaption = 2,
    kSysInactiveCaption = 3,
    kSysMenu = 4,
    kSysWindow = 5,
    kSysWindowFrame = 6,
    kSysMenuText = 7,
    kSysWindowText = 8,
    kSysCaptionText = 9,
    kSysActiveBorder = 10,
    kSysInactiveBorder = 11,
    kSysAppWorkspace = 12,
    kSysHighlight = 13,
    kSysHighlightText = 14,
    kSysBtnFace = 15,
    kSysBtnShadow = 16,
    kSysGrayText = 17,
    kSysBtnText = 18,
    kSysInactiveCaptionText = 19,
    kSysBtnHighlight = 20,
    kSys3DDkShadow = 21,
    kSys3DLight = 22,
    kSysInfoText = 23,
    kSysInfoBk = 24,
};

enum class HtmlImageKind { Bitmap, Icon, ImageList };

// Where an image comes from, as the bmp, icon and ilst tags name it.
struct HtmlImageSource {
    HtmlImageKind kind = HtmlImageKind::Bitmap;
    unsigned resourceId = 0;    // idres
    std::string module;         // iddll / srcdll; empty: the drawer's own module
    std::string file;           // file
    std::uintptr_t handle = 0;  // handle: a borrowed bitmap, icon or image list
    int cellWidth = 0;          // cx of an image list (0: square cells)
    int cellHeight = 0;         // cy of an image list (0: the bitmap's height)
    bool masked = false;        // mask given: the image list is built with a mask
    HtmlColor maskColor = 0;

    bool operator==(const HtmlImageSource& o) const {
        return kind == o.kind && resourceId == o.resourceId && module == o.module && file == o.file &&
               handle == o.handle && cellWidth == o.cellWidth && cellHeight == o.cellHeight && masked == o.masked &&
               maskColor == o.maskColor;
    }
};

// Drop shadow of images drawn with style s; the offsets also reserve room.
struct HtmlImageShadow {
    int offsetX = 0;
    int offsetY = 0;
    int darkness = 0;  // percent, at most 100
    bool gradient = false;
    int depthX = 0;
    int depthY = 0;
};

}  // namespace tarvel
