#include "widgets/CResizableLayout.h"

#include "widgets/WindowMoves.h"

#include <algorithm>

namespace tarvel {
bool CResizableLayout::AddAnchor(HWND control, Anchor topLeft, Anchor bottomRight) {
    if (!control || !container_) {
        return false;
    }
    RemoveAnchor(control);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, container_, reinterpret_cast<POINT*>(&rect), 2);
    const SIZE client = ClientSize();
    items_.push_back({control, AnchorPlacement::Measure({rect.left, rect.top, rect.right, rect.bottom},
                                                        {client.cx, client.cy}, topLeft, bottomRight)});
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

// All controls of one pass move together and the container is redrawn once,
// children included: a control that stays put may have been uncovered by
// one that moved (the labels beside the fields after a shrink).
void CResizableLayout::ArrangeLayout() const noexcept {
    if (!container_) {
        return;
    }
    const SIZE client = ClientSize();
    std::vector<WindowMove> moves;
    try {
        moves.reserve(items_.size());
    } catch (...) {
        return;
    }
    for (const Item& item : items_) {
        const LayoutRect rect = item.placement.Place({client.cx, client.cy});
        moves.push_back({item.control, RECT{rect.left, rect.top, rect.right, rect.bottom}});
    }
    MoveWindowsTogether(moves);
    ::RedrawWindow(container_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

SIZE CResizableLayout::ClientSize() const noexcept {
    RECT client{};
    ::GetClientRect(container_, &client);
    return SIZE{client.right, client.bottom};
}

}  // namespace tarvel
