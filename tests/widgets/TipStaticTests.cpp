#include "tests/widgets/TestSupport.h"
#include "widgets/CTipStatic.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

using test::TestModule;

constexpr int kFadeSteps = 20;
constexpr COLORREF kStart = RGB(200, 200, 200);

struct TipFixture : ::testing::Test {
    test::TestHost host;
    CTipStatic tip;

    void SetUp() override {
        HWND control = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 20, host.Get(), nullptr,
                                         TestModule(), nullptr);
        ASSERT_TRUE(tip.SubclassWindow(control));
        for (int i = 0; i < 26; ++i) {
            ASSERT_TRUE(tip.AddText("tip " + std::to_string(i)));
        }
    }

    // Leftmost and rightmost columns that hold a pixel other than the background.
    std::pair<int, int> InkColumns() {
        ::RedrawWindow(tip.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const RECT client = tip.GetClientRect();
        HDC dc = ::GetDC(tip.GetHwnd());
        int first = -1, last = -1;
        for (int x = 0; x < client.right; ++x) {
            for (int y = 0; y < client.bottom; ++y) {
                if (::GetPixel(dc, x, y) != tip.GetBackgroundColor()) {
                    first = first < 0 ? x : first;
                    last = x;
                    break;
                }
            }
        }
        ::ReleaseDC(tip.GetHwnd(), dc);
        return {first, last};
    }
};

TEST_F(TipFixture, HoldsAtMostThirtyTexts) {
    for (int i = 26; i < 30; ++i) {
        EXPECT_TRUE(tip.AddText("extra"));
    }
    EXPECT_FALSE(tip.AddText("one too many"));
    EXPECT_EQ(tip.GetCount(), 30);
}

TEST_F(TipFixture, StepsWrapAroundBothWays) {
    EXPECT_EQ(tip.GetCurrentIndex(), 0);
    EXPECT_EQ(tip.ShowPrevious(kFadeSteps), 25) << "from the first back to the last";
    EXPECT_EQ(tip.GetText(), "tip 25");
    EXPECT_EQ(tip.ShowNext(kFadeSteps), 0) << "after the last comes the first";
    for (int i = 0; i < 26; ++i) {
        tip.ShowNext(kFadeSteps);
    }
    EXPECT_EQ(tip.GetCurrentIndex(), 0);
    EXPECT_EQ(tip.GetText(), "tip 0");
    EXPECT_TRUE(tip.ShowTip(7, kFadeSteps, kStart));
    EXPECT_EQ(tip.GetText(), "tip 7");
    EXPECT_FALSE(tip.ShowTip(26, kFadeSteps, kStart));
    EXPECT_EQ(tip.GetCurrentIndex(), 7);
}

TEST_F(TipFixture, ShownTextFadesFromTheStartColorToDarkBlue) {
    tip.ShowText("Autotext Help.", kFadeSteps, kStart);
    EXPECT_EQ(tip.GetText(), "Autotext Help.");
    EXPECT_EQ(tip.GetCurrentTextColor(), kStart);
    EXPECT_TRUE(tip.IsFading());
    test::PumpFor(80);
    const COLORREF midway = tip.GetCurrentTextColor();
    EXPECT_NE(midway, kStart);
    EXPECT_NE(midway, CTipStatic::kTextColor);
    test::PumpFor(400);
    EXPECT_EQ(tip.GetCurrentTextColor(), CTipStatic::kTextColor);
    test::PumpFor(800);
    EXPECT_FALSE(tip.IsFading()) << "the repainting stops about a second after the change";
}

TEST_F(TipFixture, WithoutFadeStepsTheTextShowsInItsColorAtOnce) {
    tip.ShowText("plain", 0, kStart);
    EXPECT_EQ(tip.GetCurrentTextColor(), CTipStatic::kTextColor);
}

TEST_F(TipFixture, AlignmentPutsTheTextAtTheChosenEdge) {
    tip.SetBackgroundColor(RGB(255, 255, 255));
    tip.ShowText("Ambergrove", 0, kStart);
    const auto left = InkColumns();
    ASSERT_GE(left.first, 0);
    EXPECT_LT(left.first, 10);
    tip.SetAlignment(CTipStatic::kAlignRight);
    const auto right = InkColumns();
    EXPECT_GT(right.first, 150);
    EXPECT_GE(right.second, 290);
}

TEST_F(TipFixture, EngravedTextUsesTheHighlightAndShadowColors) {
    tip.SetBackgroundColor(RGB(0, 128, 0));
    tip.ShowText("Ambergrove Software", 0, kStart);
    tip.SetEngraved(true);
    ::RedrawWindow(tip.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(tip.GetHwnd());
    int shadow = 0, highlight = 0, blue = 0;
    const RECT client = tip.GetClientRect();
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF pixel = ::GetPixel(dc, x, y);
            shadow += pixel == ::GetSysColor(COLOR_BTNSHADOW);
            highlight += pixel == ::GetSysColor(COLOR_BTNHIGHLIGHT);
            blue += pixel == CTipStatic::kTextColor;
        }
    }
    ::ReleaseDC(tip.GetHwnd(), dc);
    EXPECT_GT(shadow, 10);
    EXPECT_GT(highlight, 10);
    EXPECT_EQ(blue, 0);
}

TEST_F(TipFixture, LongTextEndsInAnEllipsisOnOneLine) {
    tip.SetBackgroundColor(RGB(255, 255, 255));
    tip.ShowText(std::string(200, 'W'), 0, kStart);
    const auto ink = InkColumns();
    EXPECT_LT(ink.second, 300) << "clipped inside the control";
}

TEST(TipStaticSettings, ComeIntoForceWithoutRepaintingOtherWindowsBeforeTheControlExists) {
    test::TestHost other;
    ::UpdateWindow(other.Get());
    ::ValidateRect(other.Get(), nullptr);
    CTipStatic early;
    early.SetBackgroundColor(RGB(1, 2, 3));
    early.SetAlignment(CTipStatic::kAlignRight);
    early.SetEngraved(true);
    EXPECT_FALSE(::GetUpdateRect(other.Get(), nullptr, FALSE)) << "a null window would invalidate every window";
    EXPECT_EQ(early.GetBackgroundColor(), RGB(1, 2, 3));
    EXPECT_TRUE(early.IsEngraved());
}

}  // namespace
}  // namespace tarvel
