// A painter works on a DC it was lent: whatever it selects or sets there
// goes back, also when the display list makes it throw half-way.
#include <gtest/gtest.h>

#include <stdexcept>

#include "handles/UniqueHandle.h"
#include "tooltip/CCeXDib.h"
#include "tooltip/CHtmlGdiPainter.h"

using namespace tarvel;

namespace {

HtmlTextRun RunIn(HFONT font, int style) {
    HtmlTextRun run;
    run.box = {2, 2, 80, 20};
    run.text = "tip";
    run.font = reinterpret_cast<HtmlFontId>(font);
    run.style = style;
    return run;
}

int SaveLevel(HDC dc) {
    const int level = ::SaveDC(dc);
    ::RestoreDC(dc, -1);
    return level;
}

TEST(GdiPainterState, AThrowMidPaintLeavesTheDcAsItWas) {
    CCeXDib canvas(100, 40);
    ASSERT_TRUE(canvas.Valid());
    const HDC dc = canvas.Dc();
    const tarvel::UniqueFont font(::CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    const HGDIOBJ fontBefore = ::GetCurrentObject(dc, OBJ_FONT);
    const int levelBefore = SaveLevel(dc);

    HtmlDisplayList list;
    list.styles.resize(1);
    list.items.push_back(RunIn(font.get(), 0));
    list.items.push_back(RunIn(font.get(), 7));  // no such style
    CHtmlImageCache images(::GetModuleHandleA(nullptr));
    EXPECT_THROW(CHtmlGdiPainter(dc, images, {}).Paint(list, {0, 0}), std::out_of_range);

    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), fontBefore) << "the run's font is no longer selected";
    EXPECT_EQ(::GetBkMode(dc), OPAQUE);
    EXPECT_EQ(SaveLevel(dc), levelBefore) << "no saved state is left on the DC";
}

TEST(GdiPainterState, ACanvasGivesBackItsBitmapBeforeDeletingIt) {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    {
        CCeXDib canvas(8, 8);
        ASSERT_TRUE(canvas.Valid());
        dc = canvas.Dc();
        bitmap = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
    }
    EXPECT_EQ(::GetObjectType(bitmap), 0u) << "the DIB section was deleted, so it was not selected any more";
    EXPECT_EQ(::GetObjectType(dc), 0u);
}

}  // namespace
