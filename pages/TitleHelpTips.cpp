#include "pages/TitleHelpTips.h"

#include "res/resource.h"
#include "widgets/SharedTipLook.h"
#include "widgets/CPPToolTip.h"

namespace tarvel::TitleHelpTips {
namespace {

constexpr char kSupportPage[] = "https://www.ambergrove.example/support/tooltip.html?option=";
// Title page tips stay up while the mouse is on the field or the balloon,
// and do not hide by themselves.
constexpr unsigned kBehaviour = kTooltipMultipleShow | kTooltipCloseOnLeave | kTooltipKeepOnBalloon | kTooltipNoAutopop;
constexpr COLORREF kPictureMask = RGB(255, 255, 255);

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

}  // namespace

std::string SupportAddress(const char* option) { return std::string(kSupportPage) + option; }

bool SetUp(CPPToolTip& tips, HWND page) {
    if (!tips.Create(page, true))
        return false;
    tips.SetBehaviour(kBehaviour);
    for (const FieldTip& tip : kTips)
        tips.AddHelpTip(::GetDlgItem(page, tip.field), tip.help, SupportAddress(tip.option), tip.picture,
                        kPictureMask, tip.separator);
    ApplySharedTipLook(tips, IDS_HELP_TIP_STYLES);
    return true;
}

}  // namespace tarvel::TitleHelpTips
