#include "tests/widgets/TestSupport.h"
#include "widgets/CTreePropSheetSplitter.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::RectIn;
using test::TestModule;
using Orientation = CTreePropSheetSplitter::Orientation;

constexpr int kMinimumPane = 75;
constexpr int kBarWidth = 5;

HWND MakePane(HWND parent) {
    return ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, parent, nullptr, TestModule(),
                             nullptr);
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

struct SplitterFixture : ::testing::Test {
    test::TestHost host{700, 500};
    CTreePropSheetSplitter splitter{TestModule(), 2, Orientation::SideBySide, kMinimumPane, kBarWidth};
    HWND left = nullptr;
    HWND right = nullptr;

    void SetUp() override {
        left = MakePane(host.Get());
        right = MakePane(host.Get());
        ASSERT_TRUE(splitter.Create(host.Get(), RECT{0, 20, 500, 320}, 0xE900));
        splitter.SetPane(0, left);
        splitter.SetPane(1, right);
        splitter.SetPaneProportions({30, 70});
        splitter.RecalcLayout();
    }

    void Drag(int fromX, int toX, bool release = true) {
        splitter.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, 100));
        splitter.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, 100));
        if (release) {
            splitter.Send(WM_LBUTTONUP, 0, MAKELPARAM(toX, 100));
        }
    }
};

TEST_F(SplitterFixture, SharesAreFractionsOf32768RoundedFromTheProportions) {
    EXPECT_EQ(splitter.GetPaneShare(0), (100 / 2 + 30 * 32768) / 100);
    EXPECT_EQ(splitter.GetPaneShare(1), (100 / 2 + 70 * 32768) / 100);
    splitter.SetPaneProportions({45, 55});
    EXPECT_EQ(splitter.GetPaneShare(0), 14746);
    splitter.SetPaneProportions({1, 2, 3});
    EXPECT_EQ(splitter.GetPaneShare(0), 14746) << "a list of the wrong length changes nothing";
}

TEST_F(SplitterFixture, PanesFillTheSplitterWithABarBetweenThem) {
    const RECT leftRect = RectIn(left, host.Get());
    const RECT rightRect = RectIn(right, host.Get());
    EXPECT_EQ(leftRect.left, 0);
    EXPECT_EQ(leftRect.top, 20) << "pane rectangles are mapped into the pane's parent";
    EXPECT_EQ(Width(leftRect), ((500 - kBarWidth) * 9830 + 16384) / 32768);
    EXPECT_EQ(rightRect.left, leftRect.right + kBarWidth);
    EXPECT_EQ(rightRect.right, 500);
    EXPECT_EQ(Height(rightRect), 300);
}

TEST_F(SplitterFixture, DraggingTheBarResizesThePanesLiveAndKeepsTheMinimum) {
    const RECT bar = splitter.GetBarRect(0);
    const int grab = bar.left + 2;
    Drag(grab, 250 + 2, false);
    EXPECT_TRUE(splitter.IsDragging());
    EXPECT_EQ(Width(RectIn(left, host.Get())), 250) << "panes follow while the button is still down";
    splitter.Send(WM_LBUTTONUP, 0, MAKELPARAM(252, 100));
    EXPECT_FALSE(splitter.IsDragging());

    Drag(250 + 2, 10);
    EXPECT_EQ(Width(RectIn(left, host.Get())), kMinimumPane);
    Drag(kMinimumPane + 2, 499);
    EXPECT_EQ(Width(RectIn(right, host.Get())), kMinimumPane);
}

TEST_F(SplitterFixture, ADragRepaintsBothPanesAndTheBarOnce) {
    ::UpdateWindow(host.Get());
    for (HWND window : {left, right, splitter.GetHwnd()}) {
        ::ValidateRect(window, nullptr);
    }
    Drag(splitter.GetBarRect(0).left, 260);
    for (HWND window : {left, right, splitter.GetHwnd()}) {
        EXPECT_TRUE(::GetUpdateRect(window, nullptr, FALSE)) << "a moved pane or the bar is left unpainted";
    }
    EXPECT_EQ(RectIn(right, host.Get()).left, 260 + kBarWidth) << "both panes moved";
}

TEST_F(SplitterFixture, ShareFromADragSurvivesAResize) {
    Drag(splitter.GetBarRect(0).left, 200);
    ::SetWindowPos(splitter.GetHwnd(), nullptr, 0, 0, 995, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_NEAR(Width(RectIn(left, host.Get())), 400, 1);
}

TEST_F(SplitterFixture, ClickOutsideTheBarStartsNoDrag) {
    const RECT before = RectIn(left, host.Get());
    Drag(20, 300);
    const RECT after = RectIn(left, host.Get());
    EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST_F(SplitterFixture, SplitterStaysBelowItsSiblingPanes) {
    for (HWND above = ::GetWindow(splitter.GetHwnd(), GW_HWNDPREV); above; above = ::GetWindow(above, GW_HWNDPREV)) {
        if (above == left) {
            SUCCEED();
            return;
        }
    }
    FAIL() << "the left pane must be above the splitter in z-order";
}

TEST(SplitterNesting, StackedSplitterInsideAPaneLaysOutSiblingsOfTheOuterSplitter) {
    test::TestHost host{700, 500};
    CTreePropSheetSplitter outer(TestModule(), 2, Orientation::SideBySide, kMinimumPane, kBarWidth);
    CTreePropSheetSplitter inner(TestModule(), 2, Orientation::Stacked, kMinimumPane, kBarWidth);
    HWND tree = MakePane(host.Get());
    HWND top = MakePane(host.Get());
    HWND bottom = MakePane(host.Get());
    ASSERT_TRUE(outer.Create(host.Get(), RECT{0, 30, 600, 430}, 0xE900));
    ASSERT_TRUE(inner.Create(outer.GetHwnd(), outer.GetPaneRect(1), 0xE900));
    outer.SetPane(0, tree);
    outer.SetPane(1, inner.GetHwnd());
    inner.SetPane(0, top);
    inner.SetPane(1, bottom);
    outer.SetPaneProportions({30, 70});
    inner.SetPaneProportions({45, 55});
    outer.RecalcLayout();
    inner.RecalcLayout();

    const RECT innerRect = RectIn(inner.GetHwnd(), host.Get());
    const RECT topRect = RectIn(top, host.Get());
    const RECT bottomRect = RectIn(bottom, host.Get());
    EXPECT_EQ(topRect.left, innerRect.left);
    EXPECT_EQ(topRect.top, 30);
    EXPECT_EQ(Height(topRect), ((400 - kBarWidth) * 14746 + 16384) / 32768);
    EXPECT_EQ(bottomRect.top, topRect.bottom + kBarWidth);
    EXPECT_EQ(bottomRect.bottom, 430);
    EXPECT_EQ(Width(bottomRect), Width(innerRect));

    // Dragging the outer bar moves the inner panes with it.
    const RECT bar = outer.GetBarRect(0);
    outer.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.left, 50));
    outer.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 50));
    outer.Send(WM_LBUTTONUP, 0, MAKELPARAM(300, 50));
    EXPECT_EQ(RectIn(top, host.Get()).left, 300 + kBarWidth);
    EXPECT_EQ(RectIn(bottom, host.Get()).right, 600);
}

TEST(SplitterBeforeCreation, LayingOutRepaintsNoOtherWindow) {
    test::TestHost other;
    ::UpdateWindow(other.Get());
    ::ValidateRect(other.Get(), nullptr);
    CTreePropSheetSplitter early(TestModule(), 2, Orientation::SideBySide, kMinimumPane, kBarWidth);
    early.RecalcLayout();
    EXPECT_FALSE(::GetUpdateRect(other.Get(), nullptr, FALSE)) << "a null window would invalidate every window";
}

TEST(SplitterCursor, BarShowsTheResizeCursorOfItsDirection) {
    test::TestHost host{700, 500};
    CTreePropSheetSplitter stacked(TestModule(), 2, Orientation::Stacked, kMinimumPane, kBarWidth);
    ASSERT_TRUE(stacked.Create(host.Get(), RECT{0, 0, 400, 400}, 1));
    const RECT bar = stacked.GetBarRect(0);
    POINT onBar{bar.left + 100, bar.top + 2};
    ::ClientToScreen(stacked.GetHwnd(), &onBar);
    ASSERT_TRUE(::SetCursorPos(onBar.x, onBar.y));
    EXPECT_TRUE(
        stacked.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(stacked.GetHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZENS));
}

}  // namespace
}  // namespace tarvel
