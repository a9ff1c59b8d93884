#include "layout/AnchorLayout.h"

namespace tarvel {
namespace {

constexpr long kPercent = 100;

// Wide enough for any client extent times a percentage.
long AnchorOffset(int percent, long extent) noexcept {
    return static_cast<long>(static_cast<long long>(percent) * extent / kPercent);
}

}  // namespace

AnchorPlacement AnchorPlacement::Measure(const LayoutRect& rect, LayoutSize client, Anchor topLeft,
                                         Anchor bottomRight) noexcept {
    AnchorPlacement placement{topLeft, bottomRight, {}};
    placement.margins.left = rect.left - AnchorOffset(topLeft.x, client.cx);
    placement.margins.top = rect.top - AnchorOffset(topLeft.y, client.cy);
    if (bottomRight.IsNone()) {
        placement.margins.right = rect.Width();
        placement.margins.bottom = rect.Height();
    } else {
        placement.margins.right = rect.right - AnchorOffset(bottomRight.x, client.cx);
        placement.margins.bottom = rect.bottom - AnchorOffset(bottomRight.y, client.cy);
    }
    return placement;
}

LayoutRect AnchorPlacement::Place(LayoutSize client) const noexcept {
    LayoutRect rect{};
    rect.left = AnchorOffset(topLeft.x, client.cx) + margins.left;
    rect.top = AnchorOffset(topLeft.y, client.cy) + margins.top;
    if (bottomRight.IsNone()) {
        rect.right = rect.left + margins.right;
        rect.bottom = rect.top + margins.bottom;
    } else {
        rect.right = AnchorOffset(bottomRight.x, client.cx) + margins.right;
        rect.bottom = AnchorOffset(bottomRight.y, client.cy) + margins.bottom;
    }
    return rect;
}

}  // namespace tarvel
