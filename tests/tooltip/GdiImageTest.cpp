#include <gtest/gtest.h>

#include <cstdio>

#include "tests/tooltip/GdiTestCanvas.h"
#include "tooltip/CHtmlGdiPainter.h"

using namespace tarvel;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

const HtmlImage& FirstImage(const CPPHtmlDrawer& drawer) {
    for (const HtmlDisplayItem& item : drawer.DisplayList().items)
        if (const auto* image = std::get_if<HtmlImage>(&item))
            return *image;
    ADD_FAILURE() << "no image";
    static const HtmlImage none;
    return none;
}

// A screen-compatible bitmap with the pixels of the DIB.
HBITMAP ToBitmap(const CCeXDib& dib) {
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, dib.Width(), dib.Height());
    ::ReleaseDC(nullptr, screen);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    dib.DrawTo(dc, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

// A 16 x 16 magenta bitmap with a blue 8 x 8 square in the middle, like
// bitmap resource 201.
HBITMAP MakeSquare() {
    CCeXDib dib(16, 16);
    dib.Fill(kMagenta);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            dib.At(x, y) = CCeXDib::Pixel(kBlue);
    return ToBitmap(dib);
}

TEST(GdiImages, MaskedBitmapFromTheResourcesLeavesTheMaskColorOut) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    canvas.Draw(drawer, "<bmp idres=201 mask=0xFF00FF><bmp idres=201>", 10, 10);
    EXPECT_EQ(ToRect(FirstImage(drawer).box).right, 16);
    EXPECT_EQ(canvas.At(10, 10), kWhite);
    EXPECT_EQ(canvas.At(18, 18), kBlue);
    EXPECT_EQ(canvas.At(26, 10), kMagenta);
    EXPECT_EQ(canvas.At(34, 18), kBlue);
}

TEST(GdiImages, BitmapByHandleScaledToTheAskedSize) {
    const HBITMAP square = MakeSquare();
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    char markup[80];
    std::snprintf(markup, sizeof markup, "<bmp handle=%lX width=32 height=32 mask=0xFF00FF>",
                  static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(square)));
    const SIZE size = canvas.Draw(drawer, markup);
    EXPECT_EQ(size.cx, 32);
    EXPECT_EQ(canvas.At(2, 2), kWhite);
    EXPECT_EQ(canvas.At(16, 16), kBlue);
    EXPECT_EQ(canvas.At(6, 16), kWhite);
    EXPECT_EQ(canvas.At(9, 16), kBlue);
    ::DeleteObject(square);
}

TEST(GdiImages, ShrunkBitmapKeepsItsColors) {
    CCeXDib stripes(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            stripes.At(x, y) = CCeXDib::Pixel(x % 2 ? kBlue : RGB(255, 255, 0));
    const HBITMAP bitmap = ToBitmap(stripes);
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    char markup[80];
    std::snprintf(markup, sizeof markup, "<bmp handle=%lX width=4 height=4>",
                  static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(bitmap)));
    canvas.Draw(drawer, markup);
    EXPECT_EQ(canvas.Count({0, 0, 4, 4}, [](COLORREF c) { return c == kBlue || c == RGB(255, 255, 0); }), 16);
    ::DeleteObject(bitmap);
}

TEST(GdiImages, ScaledMaskedBitmapKeepsItsColorsAndItsEdges) {
    const COLORREF yellow = RGB(255, 255, 0), green = RGB(0, 255, 0);
    CCeXDib stripes(18, 18);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x)
            stripes.At(x, y) = CCeXDib::Pixel(x % 3 == 0 ? kWhite : x % 3 == 1 ? kBlue : yellow);
    const HBITMAP bitmap = ToBitmap(stripes);
    char handle[120];
    std::snprintf(handle, sizeof handle, "<bmp handle=%lX mask=0xFFFFFF width=50%% height=50%%>",
                  static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(bitmap)));
    const std::string onGreen = "<table cellspacing=0 cellpadding=0 bgcolor=#00ff00><tr><td>";
    for (const std::string& image :
         {std::string(handle), std::string("<bmp idres=146 mask=0xFFFFFF width=50% height=50%>")}) {
        SCOPED_TRACE(image);
        GdiTestCanvas canvas;
        CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
        canvas.Draw(drawer, onGreen + image + "</td></tr></table>");
        const RECT box = ToRect(FirstImage(drawer).box);
        ASSERT_GT(box.right - box.left, 4);
        const int area = (box.right - box.left) * (box.bottom - box.top);
        EXPECT_EQ(canvas.Count(
                      box, [&](COLORREF c) { return c == green || c == kBlue || c == yellow || c == RGB(255, 0, 0); }),
                  area)
            << "no pixel mixes the image with its mask or its neighbours";
        EXPECT_GT(canvas.Count(box, [&](COLORREF c) { return c == green; }), 0);
    }
    ::DeleteObject(bitmap);
}

TEST(GdiImages, IconFromTheResourcesAtItsOwnSize) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    canvas.Draw(drawer, "<icon idres=202 width=0 height=0>");
    EXPECT_EQ(FirstImage(drawer).box, MakeRect(0, 0, 32, 32));
    EXPECT_EQ(canvas.At(16, 16), RGB(255, 153, 0));
    EXPECT_EQ(canvas.At(1, 1), kWhite);
}

TEST(GdiImages, MissingImagesTakeNoRoomAndDrawNothing) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    const SIZE size = canvas.Draw(drawer, "<bmp idres=144><icon idres=1076><bmp file=\"no such.bmp\">");
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(canvas.Count(canvas.Whole(), NotWhite), 0);
}

TEST(GdiImages, TableBackgroundTilesFromTheTablesCornerWhereverTheDcCutsIt) {
    GdiTestCanvas canvas(100, 50);
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    canvas.Draw(drawer,
                "<table background=201 width=64 height=300 cellspacing=0 cellpadding=0><tr><td></td></tr></table>", 10,
                -100);
    int wrong = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) {
            const int u = (x - 10) % 16, v = (y + 100) % 16;
            const bool inside = x >= 10 && x < 10 + 64;
            const bool square = u >= 4 && u < 12 && v >= 4 && v < 12;
            const COLORREF expected = !inside ? kWhite : square ? kBlue : kMagenta;
            wrong += canvas.At(x, y) == expected ? 0 : 1;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(GdiImages, MarkupNamingManyImagesGetsABoundedNumberOfThem) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    std::string markup;
    for (std::size_t i = 0; i < 2 * CHtmlImageCache::kMaxImages; ++i)
        markup += "<bmp idres=201 mask=" + std::to_string(i) + ">";
    canvas.Draw(drawer, markup);
    std::size_t shown = 0;
    for (const HtmlDisplayItem& item : drawer.DisplayList().items)
        if (const auto* image = std::get_if<HtmlImage>(&item))
            shown += image->box.Width() > 0 ? 1 : 0;
    EXPECT_EQ(shown, CHtmlImageCache::kMaxImages);
    canvas.Draw(drawer, "<bmp idres=201 mask=0xFFFFFF>");
    EXPECT_EQ(FirstImage(drawer).box.Width(), 16);
}

TEST(GdiImages, ImageListCellsAndAnimation) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    canvas.Draw(drawer, "<ilst idres=203 cx=8 index=1><ilst idres=203 cx=8 index=2>");
    EXPECT_EQ(FirstImage(drawer).box, MakeRect(0, 0, 8, 8));
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 160, 0));
    EXPECT_EQ(canvas.At(12, 4), kBlue);
    HtmlImage animated;
    animated.index = 1;
    animated.speed = 100;
    EXPECT_EQ(CHtmlGdiPainter::Frame(animated, 3, 0), 1);
    EXPECT_EQ(CHtmlGdiPainter::Frame(animated, 3, 150), 2);
    EXPECT_EQ(CHtmlGdiPainter::Frame(animated, 3, 250), 0);
}

TEST(GdiImages, AScaledImageListImageIsItsCellScaledAndMasked) {
    const struct {
        const char* markup;
        int size;
        COLORREF color;
        COLORREF frame;  // what shows where the cell is magenta
    } cases[] = {
        {"<ilst idres=204 cx=24 cy=24 mask=0xFF00FF index=0 width=48 height=48>", 48, RGB(255, 0, 0), kWhite},
        {"<ilst idres=204 cx=24 cy=24 mask=0xFF00FF index=1 width=12 height=12>", 12, kBlue, kWhite},
        {"<ilst idres=204 cx=24 cy=24 index=2 width=48 height=48>", 48, RGB(0, 160, 0), kMagenta},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markup);
        GdiTestCanvas canvas;
        CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
        canvas.Draw(drawer, c.markup, 10, 10);
        int wrong = 0;
        for (int y = 0; y < c.size + 20; ++y)
            for (int x = 0; x < c.size + 20; ++x) {
                const int u = x - 10, v = y - 10;
                const bool inBox = u >= 0 && v >= 0 && u < c.size && v < c.size;
                const bool center =
                    inBox && 4 * u >= c.size && 4 * u < 3 * c.size && 4 * v >= c.size && 4 * v < 3 * c.size;
                wrong += canvas.At(x, y) == (center ? c.color : inBox ? c.frame : kWhite) ? 0 : 1;
            }
        EXPECT_EQ(wrong, 0);
    }
}

DWORD g_clockNow = 0;
DWORD WINAPI SteppedClock() { return g_clockNow; }

TEST(GdiImages, AnAnimationAsksForARedrawWhenItsFrameMoves) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    g_clockNow = 1000;
    drawer.SetClock(SteppedClock);
    canvas.Draw(drawer, "<ilst idres=203 cx=8 speed=30>");
    g_clockNow += 29;
    EXPECT_FALSE(drawer.IsRedrawNeeded({100, 100}));
    g_clockNow += 1;
    EXPECT_TRUE(drawer.IsRedrawNeeded({100, 100}));
    drawer.DrawPreparedOutput(canvas.Dc(), {0, 0, 8, 8});
    EXPECT_FALSE(drawer.IsRedrawNeeded({100, 100}));
}

TEST(GdiImages, GreyDarkerLighterAndShadowStyles) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    HtmlImageShadow shadow;
    shadow.offsetX = shadow.offsetY = 4;
    shadow.darkness = 50;
    drawer.SetImageShadow(shadow);
    canvas.Draw(drawer,
                "<ilst idres=203 cx=8 style=g><ilst idres=203 cx=8 style=d>"
                "<ilst idres=203 cx=8 style=l><ilst idres=203 cx=8 style=s>");
    const COLORREF grey = canvas.At(4, 4), darker = canvas.At(12, 4), lighter = canvas.At(20, 4);
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));
    EXPECT_LT(GetRValue(darker), 255);
    EXPECT_GT(GetRValue(darker), 100);
    EXPECT_GT(GetGValue(lighter), 100);
    EXPECT_EQ(canvas.At(28, 4), RGB(255, 0, 0));
    const COLORREF shade = canvas.At(24 + 8 + 2, 8 + 2);
    EXPECT_LT(GetRValue(shade), 200);
    EXPECT_EQ(GetRValue(shade), GetBValue(shade));
    EXPECT_EQ(canvas.At(24 + 8 + 2, 1), kWhite);
}

TEST(GdiImages, AHugeStyledImageIsDrawnWithoutItsStyle) {
    GdiTestCanvas canvas(64, 64);
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    canvas.Draw(drawer, "<bmp idres=201 width=4096 height=4096 style=g><bmp idres=201 style=g>");
    EXPECT_EQ(canvas.At(30, 30), kMagenta);
    canvas.Draw(drawer, "<bmp idres=201 style=g>");
    const COLORREF grey = canvas.At(2, 2);
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));
}

TEST(GdiImages, HotStyleWhileTheMouseIsOnTheImage) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    canvas.Draw(drawer, "<ilst idres=203 cx=8 hotstyle=g>");
    EXPECT_EQ(canvas.At(4, 4), RGB(255, 0, 0));
    EXPECT_TRUE(drawer.IsRedrawNeeded({4, 4}));
    drawer.DrawPreparedOutput(canvas.Dc(), {0, 0, 8, 8});
    const COLORREF hot = canvas.At(4, 4);
    EXPECT_TRUE(GetRValue(hot) == GetGValue(hot) && GetGValue(hot) == GetBValue(hot));
    EXPECT_FALSE(drawer.IsRedrawNeeded({4, 4}));
}

}  // namespace
