#include "widgets/CResizableLayout.h"

#include <algorithm>

namespace tarvel {
namespace {

constexpr int kPercent = 100;

int AnchorOffset(int percent, LONG extent) noexcept { return static_cast<int>(percent * extent / kPercent); }

}  // namespace

CResizableLayout::Placement CResizableLayout::Measure(const RECT& rect, SIZE client, Anchor topLeft,
                                                      Anchor bottomRight) noexcept {
    Placement placement{topLeft, bottomRight, {}};
    placement.margins.left = rect.left - AnchorOffset(topLeft.x, client.cx);
    placement.margins.top = rect.top - AnchorOffset(topLeft.y, client.cy);
    if (bottomRight.IsNone()) {
        placement.margins.right = rect.right - rect.left;
        placement.margins.bottom = rect.bottom - rect.top;
    } else {
        placement.margins.right = rect.right - AnchorOffset(bottomRight.x, client.cx);
        placement.margins.bottom = rect.bottom - AnchorOffset(bottomRight.y, client.cy);
    }
    return placement;
}

RECT CResizableLayout::Place(const Placement& placement, SIZE client) noexcept {
    RECT rect{};
    rect.left = AnchorOffset(placement.topLeft.x, client.cx) + placement.margins.left;
    rect.top = AnchorOffset(placement.topLeft.y, client.cy) + placement.margins.top;
    if (placement.bottomRight.IsNone()) {
        rect.right = rect.left + placement.margins.right;
        rect.bottom = rect.top + placement.margins.bottom;
    } else {
        rect.right = AnchorOffset(placement.bottomRight.x, client.cx) + placement.margins.right;
        rect.bottom = AnchorOffset(placement.bottomRight.y, client.cy) + placement.margins.bottom;
    }
    return rect;
}

bool CResizableLayout::AddAnchor(HWND control, Anchor topLeft, Anchor bottomRight) {
    if (!control || !container_) {
        return false;
    }
    RemoveAnchor(control);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, container_, reinterpret_cast<POINT*>(&rect), 2);
    items_.push_back({control, Measure(rect, ClientSize(), topLeft, bottomRight)});
    return true;
}

bool CResizableLayout::AddAnchor(int controlId, Anchor topLeft, Anchor bottomRight) {
    return AddAnchor(::GetDlgItem(container_, controlId), topLeft, bottomRight);
}

void CResizableLayout::RemoveAnchor(HWND control) {
    items_.erase(
        std::remove_if(items_.begin(), items_.end(), [control](const Item& item) { return item.control == control; }),
        items_.end());
}

void CResizableLayout::ArrangeLayout() const noexcept {
    const SIZE client = ClientSize();
    for (const Item& item : items_) {
        if (!::IsWindow(item.control)) {
            continue;
        }
        const RECT rect = Place(item.placement, client);
        ::SetWindowPos(item.control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
}

SIZE CResizableLayout::ClientSize() const noexcept {
    RECT client{};
    ::GetClientRect(container_, &client);
    return SIZE{client.right, client.bottom};
}

}  // namespace tarvel
