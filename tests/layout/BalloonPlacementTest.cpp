#include <gtest/gtest.h>

#include "layout/BalloonPlacement.h"

#include <climits>
#include <random>

using namespace tarvel;

namespace {

constexpr tarvel::LayoutRect kScreen{0, 0, 1024, 768};

struct PlacementCase {
    const char* name;
    int direction;
    BalloonPoint point;
    int width;
    int height;
    tarvel::LayoutRect screen;
    int expectedDirection;
    tarvel::LayoutRect expectedWindow;
    bool tipAtMouse = true;
};

// Balloon geometry: arrow 12 wide and 16 high, 16 pixels from the corner.
const PlacementCase kCases[] = {
    {"AboveTheMouseArrowNearTheLeftCorner", 16, {500, 400}, 200, 100, kScreen, 16, {484, 284, 684, 400}},
    {"RightScreenEdgeMovesTheArrowToTheRightEnd", 16, {950, 400}, 200, 100, kScreen, 17, {766, 284, 966, 400}},
    {"TopScreenEdgePutsTheBalloonBelow", 16, {500, 50}, 200, 100, kScreen, 0, {484, 50, 684, 166}},
    {"BottomScreenEdgePutsTheBalloonAbove", 0, {500, 700}, 200, 100, kScreen, 16, {484, 584, 684, 700}},
    {"LeftScreenEdgeMovesAnEndArrowToTheLeftEnd", 17, {20, 400}, 200, 100, kScreen, 16, {4, 284, 204, 400}},
    {"TooWideForEitherEndCentersAndSlides", 16, {100, 400}, 1000, 100, kScreen, 18, {0, 284, 1000, 400}},
    {"MiddleArrowCloseToTheLeftEdgeGoesToTheLeftEnd", 18, {10, 400}, 200, 100, kScreen, 16, {0, 284, 200, 400}},
    {"MiddleArrowCloseToTheRightEdgeGoesToTheRightEnd", 18, {1015, 400}, 200, 100, kScreen, 17,
     {824, 284, 1024, 400}},
    {"MiddleArrowCentersTheBalloon", 18, {500, 400}, 200, 100, kScreen, 18, {400, 284, 600, 400}},
    {"LeftArrowPutsTheBalloonRightOfTheMouse", 32, {500, 400}, 200, 100, kScreen, 32, {500, 384, 716, 484}},
    {"RightScreenEdgeFlipsALeftArrowToTheRight", 32, {900, 400}, 200, 100, kScreen, 48, {684, 384, 900, 484}},
    {"LeftScreenEdgeFlipsARightArrowToTheLeft", 48, {100, 400}, 200, 100, kScreen, 32, {100, 384, 316, 484}},
    {"BottomScreenEdgeMovesASideArrowToTheLowerEnd", 32, {500, 740}, 200, 100, kScreen, 33, {500, 656, 716, 756}},
    {"MonitorLeftOfThePrimarySlidesToItsEdge", 16, {-1270, 500}, 200, 100, {-1280, 0, 1024, 1024}, 16,
     {-1280, 384, -1080, 500}},
    {"BalloonMayStraddleTwoMonitors", 16, {-10, 500}, 200, 100, {-1280, 0, 1024, 1024}, 16, {-26, 384, 174, 500}},
    {"MonitorAboveThePrimaryKeepsTheBalloonAbove", 16, {500, 10}, 200, 100, {0, -768, 1024, 768}, 16,
     {484, -106, 684, 10}},
    {"TooTallForEitherSideStaysOnTheScreen", 16, {500, 400}, 200, 700, kScreen, 0, {484, 52, 684, 768}, false},
};

class BalloonPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(BalloonPlacement, WindowAndDirection) {
    const PlacementCase& c = GetParam();
    const BalloonLayout layout =
        PlaceBalloon(c.width, c.height, BalloonGeometry::Balloon(), c.direction, c.point, c.screen);
    EXPECT_EQ(layout.direction, c.expectedDirection);
    EXPECT_EQ(layout.window, c.expectedWindow);
    EXPECT_GE(layout.window.left, c.screen.left);
    EXPECT_LE(layout.window.right, c.screen.right);
    EXPECT_GE(layout.window.top, c.screen.top);
    EXPECT_LE(layout.window.bottom, c.screen.bottom);
}

// Where the arrow's tip is on the screen.
BalloonPoint ScreenTip(const BalloonLayout& layout) {
    return {static_cast<int>(layout.window.left) + layout.arrow[0].x,
            static_cast<int>(layout.window.top) + layout.arrow[0].y};
}

TEST_P(BalloonPlacement, ArrowPointsAtTheMouseFromTheBodyEdge) {
    const PlacementCase& c = GetParam();
    const BalloonLayout layout =
        PlaceBalloon(c.width, c.height, BalloonGeometry::Balloon(), c.direction, c.point, c.screen);
    const BalloonPoint tip = ScreenTip(layout);
    if (c.tipAtMouse) {
        EXPECT_EQ(tip, c.point);
    }
    // The base lies on the body's edge and is as wide as the arrow.
    const int side = layout.direction & 0xF0;
    const bool vertical = side == kSideTop || side == kSideBottom;
    const int edge = side == kSideTop      ? layout.body.top
                     : side == kSideBottom ? layout.body.bottom
                     : side == kSideLeft   ? layout.body.left
                                           : layout.body.right;
    EXPECT_EQ(vertical ? layout.arrow[1].y : layout.arrow[1].x, edge);
    EXPECT_EQ(vertical ? layout.arrow[2].y : layout.arrow[2].x, edge);
    EXPECT_EQ(vertical ? layout.arrow[2].x - layout.arrow[1].x : layout.arrow[2].y - layout.arrow[1].y, 12);
}

INSTANTIATE_TEST_SUITE_P(Rules, BalloonPlacement, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

TEST(BalloonPlacementArrow, ArrowNearTheLeftCornerHasItsUprightSideAtTheTip) {
    const BalloonLayout layout =
        PlaceBalloon(200, 100, BalloonGeometry::Balloon(), 16, {500, 400}, kScreen);
    EXPECT_EQ(layout.body, (tarvel::LayoutRect{0, 0, 200, 100}));
    EXPECT_EQ(layout.arrow[0], (BalloonPoint{16, 116}));
    EXPECT_EQ(layout.arrow[1], (BalloonPoint{16, 100}));
    EXPECT_EQ(layout.arrow[2], (BalloonPoint{28, 100}));
}

TEST(BalloonPlacementArrow, RectangleGeometryHasNoArrow) {
    const BalloonLayout layout =
        PlaceBalloon(200, 100, BalloonGeometry::Rectangle(), 16, {500, 400}, kScreen);
    EXPECT_EQ(layout.window, (tarvel::LayoutRect{500, 300, 700, 400}));
    EXPECT_EQ(layout.body, (tarvel::LayoutRect{0, 0, 200, 100}));
}

TEST(BalloonPlacementArrow, LargestBodyLeavesRoomForTheArrowInTheWorkArea) {
    const tarvel::LayoutRect workArea{0, 0, 1024, 738};
    EXPECT_EQ(MaxBodyWidth(BalloonGeometry::Balloon(), workArea, 16), 1024);
    EXPECT_EQ(MaxBodyHeight(BalloonGeometry::Balloon(), workArea, 16), 722);
    EXPECT_EQ(MaxBodyWidth(BalloonGeometry::Balloon(), workArea, 32), 1008);
    EXPECT_EQ(MaxBodyHeight(BalloonGeometry::Balloon(), workArea, 48), 738);
}

TEST(BalloonPlacementArrow, HugeGeometryValuesAreBoundedSoThePlacementCannotOverflow) {
    BalloonGeometry geometry = BalloonGeometry::Balloon();
    for (int index = 0; index < kGeometryCount; ++index)
        geometry.Set(index, INT_MAX);
    geometry.Set(kGeometryCount, 5);
    geometry.Set(-1, 5);
    EXPECT_EQ(geometry[kAnchorHeight], BalloonGeometry::kMaxValue);
    geometry.Set(kMarginX, -3);
    EXPECT_EQ(geometry[kMarginX], 0);
    const BalloonLayout layout = PlaceBalloon(INT_MAX / 4, INT_MAX / 4, geometry, 16, {500, 400}, kScreen);
    EXPECT_LE(layout.window.top, layout.window.bottom);
    EXPECT_EQ(MaxBodyHeight(geometry, kScreen, 16), 0) << "no room left for a body under such an arrow";
}

// Any body that fits the screen stays on it, whatever the direction and the
// point; when it fits on the mouse's side too the arrow's tip is the mouse.
TEST(BalloonPlacementProperty, FittingBalloonsStayOnTheScreenPointingAtTheMouse) {
    std::mt19937 random(11);
    const tarvel::LayoutRect screens[] = {kScreen, {-1280, -200, 1024, 1024}, {0, 0, 300, 200}};
    for (int run = 0; run < 20000; ++run) {
        const tarvel::LayoutRect& screen = screens[run % 3];
        const int width = std::uniform_int_distribution<int>(1, screen.Width())(random);
        const int height = std::uniform_int_distribution<int>(1, screen.Height() - 16)(random);
        const BalloonPoint point{std::uniform_int_distribution<int>(screen.left, screen.right - 1)(random),
                                 std::uniform_int_distribution<int>(screen.top, screen.bottom - 1)(random)};
        const int direction = std::uniform_int_distribution<int>(0, 3)(random) * 16 +
                              std::uniform_int_distribution<int>(0, 2)(random);
        const BalloonLayout layout =
            PlaceBalloon(width, height, BalloonGeometry::Balloon(), direction, point, screen);
        const bool vertical = (direction & 0xF0) < kSideLeft;
        if (!vertical && width + 16 > screen.Width())
            continue;
        ASSERT_GE(layout.window.left, screen.left) << run;
        ASSERT_LE(layout.window.right, screen.right) << run;
        ASSERT_GE(layout.window.top, screen.top) << run;
        ASSERT_LE(layout.window.bottom, screen.bottom) << run;
        const bool roomAbove = point.y - screen.top >= height + 16, roomBelow = screen.bottom - point.y >= height + 16;
        const bool roomLeft = point.x - screen.left >= width + 16, roomRight = screen.right - point.x >= width + 16;
        if ((vertical && (roomAbove || roomBelow)) || (!vertical && (roomLeft || roomRight))) {
            const BalloonPoint tip = ScreenTip(layout);
            ASSERT_EQ(tip, point) << run << " direction " << direction << " " << width << "x" << height;
        }
    }
}

}  // namespace
