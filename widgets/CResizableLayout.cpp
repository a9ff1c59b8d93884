#include "widgets/CResizableLayout.h"

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

namespace {

constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW;

}  // namespace

// All controls of one pass move together and the container is redrawn once,
// children included: a control that stays put may have been uncovered by
// one that moved (the labels beside the fields after a shrink).
void CResizableLayout::ArrangeLayout() const noexcept {
    const SIZE client = ClientSize();
    if (!MoveTogether(client)) {
        MoveOneByOne(client);
    }
    ::RedrawWindow(container_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// False when the system could not keep the pass; nothing has moved then.
bool CResizableLayout::MoveTogether(SIZE client) const noexcept {
    HDWP pass = ::BeginDeferWindowPos(static_cast<int>(items_.size()));
    for (const Item& item : items_) {
        if (pass && ::IsWindow(item.control)) {
            const LayoutRect rect = item.placement.Place({client.cx, client.cy});
            pass = ::DeferWindowPos(pass, item.control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                    kMoveFlags);
        }
    }
    return pass && ::EndDeferWindowPos(pass);
}

void CResizableLayout::MoveOneByOne(SIZE client) const noexcept {
    for (const Item& item : items_) {
        if (::IsWindow(item.control)) {
            const LayoutRect rect = item.placement.Place({client.cx, client.cy});
            ::SetWindowPos(item.control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), kMoveFlags);
        }
    }
}

SIZE CResizableLayout::ClientSize() const noexcept {
    RECT client{};
    ::GetClientRect(container_, &client);
    return SIZE{client.right, client.bottom};
}

}  // namespace tarvel
