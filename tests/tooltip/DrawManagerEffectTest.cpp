#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tests/tooltip/GdiTestCanvas.h"
#include "tooltip/CPPDrawManager.h"

using namespace tarvel;

namespace {

constexpr COLORREF kBegin = RGB(250, 20, 20);
constexpr COLORREF kMiddle = RGB(20, 250, 20);
constexpr COLORREF kEnd = RGB(20, 20, 250);
constexpr int kW = 60, kH = 40;

class EffectTest : public ::testing::Test {
protected:
    void Paint(int effect, int granularity = 1) {
        CPPDrawManager::FillEffect(canvas.Dc(), {0, 0, kW, kH}, effect, kBegin, kMiddle, kEnd, granularity);
    }
    static bool Near(COLORREF a, COLORREF b, int tolerance = 12) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
               std::abs(GetGValue(a) - GetGValue(b)) <= tolerance && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
    }
    void ExpectNear(int x, int y, COLORREF expected) {
        EXPECT_TRUE(Near(canvas.At(x, y), expected)) << "at " << x << "," << y << ": " << std::hex << canvas.At(x, y);
    }
    GdiTestCanvas canvas{kW + 10, kH + 10};
};

TEST_F(EffectTest, SolidAndTransparent) {
    Paint(kEffectTransparent);
    EXPECT_EQ(canvas.Count(canvas.Whole(), NotWhite), 0);
    Paint(kEffectSolid);
    EXPECT_EQ(canvas.Count({0, 0, kW, kH}, [](COLORREF c) { return c == kBegin; }), kW * kH);
    EXPECT_EQ(canvas.At(kW, kH), RGB(255, 255, 255));
}

TEST_F(EffectTest, GradientsRunFromBeginToEnd) {
    Paint(kEffectHGradient);
    ExpectNear(0, kH / 2, kBegin);
    ExpectNear(kW - 1, kH / 2, kEnd);
    EXPECT_EQ(canvas.At(10, 0), canvas.At(10, kH - 1));
    Paint(kEffectVGradient);
    ExpectNear(kW / 2, 0, kBegin);
    ExpectNear(kW / 2, kH - 1, kEnd);
    Paint(kEffectDiagShade);
    ExpectNear(0, 0, kBegin);
    ExpectNear(kW - 1, kH - 1, kEnd);
}

TEST_F(EffectTest, CenteredAndThreeColorGradients) {
    Paint(kEffectHCGradient);
    ExpectNear(0, 5, kBegin);
    ExpectNear(kW - 1, 5, kBegin);
    ExpectNear(kW / 2, 5, kEnd);
    Paint(kEffectVCGradient);
    ExpectNear(5, kH / 2, kEnd);
    ExpectNear(5, 0, kBegin);
    Paint(kEffect3HGradient);
    ExpectNear(0, 5, kBegin);
    ExpectNear(kW / 2, 5, kMiddle);
    ExpectNear(kW - 1, 5, kEnd);
    Paint(kEffect3VGradient);
    ExpectNear(5, kH / 2, kMiddle);
    ExpectNear(5, kH - 1, kEnd);
}

TEST_F(EffectTest, ShadesAreTubes) {
    Paint(kEffectHShade);
    ExpectNear(5, kH / 2, kBegin);
    ExpectNear(5, 0, kEnd);
    ExpectNear(5, kH - 1, kEnd);
    Paint(kEffectVShade);
    ExpectNear(kW / 2, 5, kBegin);
    ExpectNear(0, 5, kEnd);
}

TEST_F(EffectTest, BumpsBevelTheirEdges) {
    Paint(kEffectHBump, 5);
    ExpectNear(kW / 2, 0, kBegin);
    ExpectNear(kW / 2, kH / 2, kMiddle);
    ExpectNear(kW / 2, kH - 1, kEnd);
    ExpectNear(0, kH / 2, kMiddle);
    Paint(kEffectVBump, 5);
    ExpectNear(0, kH / 2, kBegin);
    ExpectNear(kW - 1, kH / 2, kEnd);
    Paint(kEffectSoftBump, 5);
    ExpectNear(kW / 2, kH / 2, kMiddle);
    ExpectNear(kW / 2, 0, kBegin);
    ExpectNear(0, kH / 2, kBegin);
    ExpectNear(kW - 1, kH / 2, kEnd);
    Paint(kEffectHardBump, 3);
    EXPECT_EQ(canvas.At(1, kH / 2), kBegin);
    EXPECT_EQ(canvas.At(kW - 2, kH / 2), kEnd);
    EXPECT_EQ(canvas.At(kW / 2, kH / 2), kMiddle);
}

TEST_F(EffectTest, NoiseAndMetalVaryAroundTheirColors) {
    Paint(kEffectNoise, 4);
    std::set<COLORREF> noise;
    for (int x = 0; x < kW; ++x)
        noise.insert(canvas.At(x, 3));
    EXPECT_GT(noise.size(), 10u);
    EXPECT_TRUE(Near(canvas.At(7, 7), kBegin, 40));
    Paint(kEffectMetal, 4);
    EXPECT_EQ(canvas.At(0, 9), canvas.At(kW - 1, 9));
    std::set<COLORREF> rows;
    for (int y = 0; y < 8; ++y)
        rows.insert(canvas.At(0, y));
    EXPECT_GT(rows.size(), 3u);
}

TEST_F(EffectTest, AnEffectCutByTheDcShowsThePixelsOfTheWholeRectangle) {
    for (const int effect : {kEffectVGradient, kEffectDiagShade, kEffectSoftBump, kEffectNoise, kEffectMetal}) {
        GdiTestCanvas whole(kW, 2 * kH);
        CPPDrawManager::FillEffect(whole.Dc(), {0, 0, kW, 2 * kH}, effect, kBegin, kMiddle, kEnd, 2);
        GdiTestCanvas cut(kW, kH);
        CPPDrawManager::FillEffect(cut.Dc(), {-5, -kH, kW - 5, kH}, effect, kBegin, kMiddle, kEnd, 2);
        int wrong = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW - 5; ++x)
                wrong += cut.At(x, y) == whole.At(x + 5, y + kH) ? 0 : 1;
        EXPECT_EQ(wrong, 0) << "effect " << effect;
        EXPECT_EQ(cut.At(kW - 5, kH / 2), RGB(255, 255, 255));
    }
}

TEST_F(EffectTest, UnknownEffectNumbersAreSolid) {
    Paint(99);
    EXPECT_EQ(canvas.At(kW / 2, kH / 2), kBegin);
}

}  // namespace
