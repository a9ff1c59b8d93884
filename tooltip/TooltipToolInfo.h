#pragma once

#include <windows.h>

#include <string>

namespace tarvel {

// One registered tool of a CPPToolTip and the notification that shows it to
// the owner before display.

// Fields a tool sets for itself; for each bit left clear the tooltip's
// default is copied in when the tip is shown.
enum TooltipToolMask : unsigned {
    kToolMaskReserved = 0x01,
    kToolMaskEffect = 0x02,
    kToolMaskColors = 0x04,
    kToolMaskDirection = 0x08,
    kToolMaskBehaviour = 0x10,
    kToolMaskTransparency = 0x20,
};

struct TooltipToolInfo {
    HWND window = nullptr;
    RECT bounds{};  // inside the window; empty: the whole window
    std::string text;
    unsigned mask = 0;
    int effect = 0;
    int granularity = 0;
    COLORREF colors[3] = {};
    int direction = 0;
    unsigned behaviour = 0;
    int transparency = 0;
};

// WM_NOTIFY code sent to the owner just before a tip is shown.
constexpr UINT kTooltipDisplayNotification = 0x464;
// Sent to the tooltip by its markup drawer when a msg link is clicked.
constexpr UINT kTooltipLinkMessage = 0x465;

// The owner may move the point and change the record, most usefully its
// text; an empty text shows nothing.
struct TooltipDisplayNotify {
    NMHDR hdr;
    HWND tool;
    POINT* point;
    TooltipToolInfo* info;
};
#ifndef _WIN64
static_assert(sizeof(TooltipDisplayNotify) == 24, "six 32-bit fields");
#endif

}  // namespace tarvel
