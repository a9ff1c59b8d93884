// The layout arithmetic builds without the platform and runs natively under
// the sanitizers: anchors, splitter shares, centring and the placement text.
#include "layout/AnchorLayout.h"
#include "layout/LayoutGeometry.h"
#include "layout/SplitterLayout.h"
#include "layout/WindowPlacementText.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <vector>

namespace tarvel {
namespace {

bool Same(const LayoutRect& a, const LayoutRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct AnchorCase {
    Anchor topLeft;
    Anchor bottomRight;
    LayoutRect grown;  // where {10,20,110,45} in 400x300 goes in 600x400
};

TEST(AnchorArithmetic, ARectangleKeepsItsDistancesToItsAnchorPoints) {
    const LayoutRect rect{10, 20, 110, 45};
    const AnchorCase cases[] = {
        {TOP_LEFT, NOANCHOR, {10, 20, 110, 45}},        {TOP_LEFT, TOP_RIGHT, {10, 20, 310, 45}},
        {TOP_LEFT, BOTTOM_RIGHT, {10, 20, 310, 145}},   {BOTTOM_RIGHT, NOANCHOR, {210, 120, 310, 145}},
        {Anchor{50, 50}, NOANCHOR, {110, 70, 210, 95}},
    };
    for (const AnchorCase& c : cases) {
        const auto placement = AnchorPlacement::Measure(rect, {400, 300}, c.topLeft, c.bottomRight);
        EXPECT_TRUE(Same(placement.Place({400, 300}), rect)) << c.topLeft.x << "," << c.bottomRight.x;
        const LayoutRect grown = placement.Place({600, 400});
        EXPECT_TRUE(Same(grown, c.grown))
            << grown.left << "," << grown.top << "," << grown.right << "," << grown.bottom;
    }
}

TEST(AnchorArithmetic, HugeClientsDoNotOverflow) {
    const auto placement = AnchorPlacement::Measure({0, 0, 10, 10}, {100, 100}, BOTTOM_RIGHT, BOTTOM_RIGHT);
    const LayoutRect placed = placement.Place({LONG_MAX / 200, 1000});
    EXPECT_EQ(placed.right, LONG_MAX / 200 - 90);
}

struct CenterCase {
    LayoutRect area;
    long width;
    long height;
    LayoutRect expected;
};

TEST(Centring, AWindowGoesInTheMiddleOrAtTheStartWhenItIsLarger) {
    const CenterCase cases[] = {
        {{0, 0, 1280, 1024}, 600, 400, {340, 312, 940, 712}},
        {{300, 200, 1200, 900}, 601, 401, {449, 349, 1050, 750}},
        {{0, 0, 800, 600}, 1000, 500, {0, 50, 1000, 550}},
        {{-1280, 0, 0, 1024}, 640, 1200, {-960, 0, -320, 1200}},
    };
    for (const CenterCase& c : cases) {
        EXPECT_TRUE(Same(CenterOver(c.area, c.width, c.height), c.expected)) << c.area.left << "," << c.width;
    }
}

TEST(LayoutGeometry, AWindowComesOntoTheOwnersWorkAreaWholeAndNoSmallerThanItsMinimum) {
    struct Case {
        const char* what;
        LayoutRect window, from, to;
        LayoutRect expected;
    };
    const LayoutRect primary{0, 0, 1280, 1000};
    const LayoutRect right{1280, 0, 2560, 1000};
    const Case cases[] = {
        {"same monitor, inside", {100, 50, 500, 350}, primary, primary, {100, 50, 500, 350}},
        {"to the other monitor at the same place", {100, 50, 500, 350}, primary, right, {1380, 50, 1780, 350}},
        {"a monitor that is gone", {3000, 50, 3400, 350}, primary, primary, {880, 50, 1280, 350}},
        {"smaller than the minimum", {100, 50, 200, 100}, primary, primary, {100, 50, 500, 350}},
        {"larger than the work area", {-50, -20, 1500, 1100}, primary, primary, {0, 0, 1550, 1120}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Same(OntoWorkArea(c.window, c.from, c.to, {400, 300}), c.expected)) << c.what;
    }
}

TEST(SplitterArithmetic, PanesShareTheExtentAndKeepTheirMinimum) {
    SplitterLayout layout(2, 75, 5);
    layout.SetProportions({30, 70});
    EXPECT_EQ(layout.Share(0) + layout.Share(1), SplitterLayout::kShareUnit);
    for (const int extent : {0, 100, 155, 400, 10000}) {
        const std::vector<int> sizes = layout.PaneSizes(extent);
        ASSERT_EQ(sizes.size(), 2u);
        if (extent >= 2 * 75 + 5) {
            EXPECT_EQ(std::accumulate(sizes.begin(), sizes.end(), 0) + 5, extent) << extent;
            EXPECT_GE(sizes[0], 75);
            EXPECT_GE(sizes[1], 75);
        }
        const std::vector<int> offsets = layout.PaneOffsets(sizes);
        EXPECT_EQ(offsets[1], offsets[0] + sizes[0] + 5);
    }
    layout.MoveBar(0, 10, 400);
    EXPECT_EQ(layout.PaneSizes(400)[0], 75) << "a bar moved past the minimum stops at it";
    layout.SetProportions({0, 0});
    EXPECT_EQ(layout.PaneSizes(400)[0], 75) << "a zero sum is ignored";
    layout.SetProportions({-50, 100});
    for (const int extent : {100, 400}) {
        for (const int size : layout.PaneSizes(extent)) {
            EXPECT_GE(size, 0) << "a negative proportion is ignored, at " << extent;
        }
    }
}

TEST(PlacementText, RoundTripsAndRejectsWhatDoesNotParse) {
    const WindowPlacementText placement{-10, 20, 630, 480, 3, 2};
    EXPECT_EQ(placement.Format(), "-10,20,630,480,3,2");
    const auto parsed = WindowPlacementText::Parse(placement.Format());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->left, -10);
    EXPECT_EQ(parsed->bottom, 480);
    EXPECT_EQ(parsed->flags, 2);
    for (const char* bad : {"", "1,2,3,4,5", "300,10,-5,200,1,0", "1,2,3,4,5,99999999999", "a,b,c,d,e,f",
                            "1,2,300,400,0,0", "1,2,300,400,12,0"}) {
        EXPECT_FALSE(WindowPlacementText::Parse(bad)) << '"' << bad << '"';
    }
}

// A placement off every screen or larger than it comes onto the work area.
TEST(PlacementText, IsShrunkToTheWorkAreaAndMovedOntoIt) {
    struct Case {
        const char* stored;
        LayoutRect area;
        LayoutRect placed;
    };
    const LayoutRect screen{0, 0, 1280, 1000};
    const Case cases[] = {
        {"40,50,700,500,1,0", screen, {40, 50, 700, 500}},
        {"100000,100000,200000,200000,1,0", screen, {0, 0, 1280, 1000}},
        {"-2147483648,-2147483648,2147483647,2147483647,1,0", screen, {0, 0, 1280, 1000}},
        {"-900,10,-500,310,1,0", screen, {0, 10, 400, 310}},
        {"1200,900,1600,1200,3,0", screen, {880, 700, 1280, 1000}},
        {"100,100,500,400,1,0", {1280, 40, 2560, 1064}, {1280, 100, 1680, 400}},
    };
    for (const auto& test : cases) {
        const auto placed = WindowPlacementText::Parse(test.stored)->OnWorkArea(test.area);
        EXPECT_EQ((LayoutRect{placed.left, placed.top, placed.right, placed.bottom}), test.placed) << test.stored;
    }
}

}  // namespace
}  // namespace tarvel
