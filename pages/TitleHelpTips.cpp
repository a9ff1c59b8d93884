#include "pages/TitleHelpTips.h"

#include "res/resource.h"
#include "tooltip/CPPToolTip.h"

namespace TitleHelpTips {
namespace {

constexpr char kSupportPage[] = "https://www.ambergrove.example/support/tooltip.html?option=";
// Title page tips stay up while the mouse is on the field or the balloon,
// and do not hide by themselves.
constexpr unsigned kBehaviour = kTooltipMultipleShow | kTooltipCloseOnLeave | kTooltipKeepOnBalloon | kTooltipNoAutopop;
constexpr COLORREF kBegin = RGB(255, 255, 255);
constexpr COLORREF kMiddle = RGB(240, 247, 255);
constexpr COLORREF kEnd = RGB(192, 192, 208);
constexpr COLORREF kPictureMask = RGB(255, 255, 255);
constexpr int kEffect = 13;  // softbump
constexpr int kGranularity = 5;
constexpr int kDirection = kSideBottom | kPlaceStart;
constexpr unsigned kInitialDelay = 500;
constexpr unsigned kAutopopDelay = 30000;
constexpr int kDelayAutopop = 2;
constexpr int kDelayInitial = 3;
constexpr int kShadowOffset = 6;
constexpr int kShadowDarkness = 25;
constexpr int kShadowDepth = 8;

struct FieldTip {
    int field;
    UINT help;
    const char* option;
    bool separator;
    UINT picture;
};

// The description's link goes to the shortcut's page.
constexpr FieldTip kTips[] = {
    {IDC_TITLE, IDS_TITLE_HELP, "autotextTitle", true, IDB_HELP_TIP_TITLE},
    {IDC_SHORTCUT, IDS_SHORTCUT_HELP, "autotextShortcut", false, IDB_HELP_TIP_SHORTCUT},
    {IDC_DESCRIPTION, IDS_DESCRIPTION_HELP, "autotextShortcut", false, IDB_HELP_TIP_SHORTCUT},
};

void ApplyLook(CPPToolTip& tips) {
    tips.SetColorBk(kBegin, kMiddle, kEnd);
    tips.SetEffectBk(kEffect, kGranularity);
    tips.SetBorder(kEnd, 1, 1);
    tips.SetDirection(kDirection);
    tips.SetNotify(true);
    tips.SetDelayTime(kDelayInitial, kInitialDelay);
    tips.SetDelayTime(kDelayAutopop, kAutopopDelay);
    tips.SetDefaultSizes(true);
    tips.SetCssStyles(IDS_HELP_TIP_STYLES);
    tips.SetTooltipShadow(kShadowOffset, kShadowOffset, kShadowDarkness, true, kShadowDepth, kShadowDepth);
    tips.SetImageShadow(kShadowOffset, kShadowOffset, kShadowDarkness, true, kShadowDepth, kShadowDepth);
}

}  // namespace

std::string SupportAddress(const char* option) { return std::string(kSupportPage) + option; }

bool SetUp(CPPToolTip& tips, HWND page) {
    if (!tips.Create(page, true))
        return false;
    tips.SetBehaviour(kBehaviour);
    for (const FieldTip& tip : kTips)
        tips.AddHelpTip(::GetDlgItem(page, tip.field), tip.help, SupportAddress(tip.option), tip.picture,
                        kPictureMask, tip.separator);
    ApplyLook(tips);
    return true;
}

}  // namespace TitleHelpTips
