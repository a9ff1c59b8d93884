#include "widgets/SharedTipLook.h"

#include "layout/BalloonPlacement.h"
#include "widgets/CPPToolTip.h"

namespace tarvel {

namespace {

constexpr COLORREF kBegin = RGB(255, 255, 255);
constexpr COLORREF kMiddle = RGB(240, 247, 255);
constexpr COLORREF kEnd = RGB(192, 192, 208);
constexpr int kSoftBump = 13;
constexpr int kGranularity = 5;
constexpr int kDirection = kSideBottom | kPlaceStart;
constexpr int kDelayAutopop = 2;
constexpr int kDelayInitial = 3;
constexpr unsigned kInitialDelay = 500;
constexpr unsigned kAutopopDelay = 30000;
constexpr int kShadowOffset = 6;
constexpr int kShadowDarkness = 25;
constexpr int kShadowDepth = 8;

}  // namespace

void ApplySharedTipLook(CPPToolTip& tips, UINT styleSheet) {
    tips.SetColorBk(kBegin, kMiddle, kEnd);
    tips.SetEffectBk(kSoftBump, kGranularity);
    tips.SetBorder(kEnd, 1, 1);
    tips.SetDirection(kDirection);
    tips.SetNotify(true);
    tips.SetDelayTime(kDelayInitial, kInitialDelay);
    tips.SetDelayTime(kDelayAutopop, kAutopopDelay);
    tips.SetDefaultSizes(true);
    tips.SetCssStyles(styleSheet);
    tips.SetTooltipShadow(kShadowOffset, kShadowOffset, kShadowDarkness, true, kShadowDepth, kShadowDepth);
    tips.SetImageShadow(kShadowOffset, kShadowOffset, kShadowDarkness, true, kShadowDepth, kShadowDepth);
}

}  // namespace tarvel
