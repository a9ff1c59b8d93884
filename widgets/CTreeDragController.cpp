#include "widgets/CTreeDragController.h"

#include "widgets/CTreeCtrl.h"

namespace tarvel {

CTreeDragController::CTreeDragController(CTreeCtrl& tree, ControlProcessing control)
    : tree_(tree), control_(std::move(control)) {}

bool CTreeDragController::Handle(const Message& message, LRESULT& result) {
    switch (message.id) {
        case Reflected(WM_NOTIFY):
            if (message.NotifyCode() != TVN_BEGINDRAGA && message.NotifyCode() != TVN_BEGINDRAGW) {
                return false;
            }
            result = OnBeginDrag(message);
            // The parent still hears of the drag.
            return false;
        case WM_MOUSEMOVE:
            result = OnMouseMove(message);
            return true;
        case WM_LBUTTONUP:
            result = OnLButtonUp(message);
            return true;
        case WM_TIMER:
            result = OnTimer(message);
            return true;
        case WM_CAPTURECHANGED:
            result = OnCaptureChanged(message);
            return true;
        case WM_GETDLGCODE:
            // While dragging every key comes here: Escape ends the drag
            // instead of cancelling the dialog, Enter confirms nothing.
            if (!IsDragging()) {
                return false;
            }
            result = control_(message) | DLGC_WANTALLKEYS;
            return true;
        case WM_KEYDOWN:
            if (!IsDragging() || message.wParam != VK_ESCAPE) {
                return false;
            }
            EndDrag();
            result = 0;
            return true;
        case WM_DESTROY:
            // A tree that goes mid-drag takes its drag image off the screen
            // and tells its site, which would otherwise think it still runs.
            if (IsDragging()) {
                EndDrag();
            }
            return false;
        default:
            return false;
    }
}

void CTreeDragController::Reset() noexcept {
    dragItem_ = nullptr;
    dropItem_ = nullptr;
    dragImage_.reset();
}

LRESULT CTreeDragController::OnBeginDrag(const Message& message) {
    // Both notification forms carry the item and the point at the same place.
    const auto* info = reinterpret_cast<const NMTREEVIEWA*>(message.lParam);
    const HTREEITEM item = info->itemNew.hItem;
    if (IsDragging() || !site_ || !site_->CanDragItem(tree_, item)) {
        return 0;
    }
    dropItem_ = nullptr;
    dragImage_.reset(tree_.CreateDragImage(item));
    if (!dragImage_) {
        return 0;
    }
    dragItem_ = item;
    ::SetTimer(tree_.GetHwnd(), kScrollTimer, kScrollInterval, nullptr);
    ::SetTimer(tree_.GetHwnd(), kHoverTimer, kHoverInterval, nullptr);
    site_->OnDragStateChanged(tree_, true);
    ::ImageList_BeginDrag(dragImage_.get(), 0, kDragHotspot.x, kDragHotspot.y);
    POINT start = info->ptDrag;
    ::ClientToScreen(tree_.GetHwnd(), &start);
    ::ImageList_DragEnter(nullptr, start.x, start.y);
    ::SetCapture(tree_.GetHwnd());
    return 0;
}

LRESULT CTreeDragController::OnMouseMove(const Message& message) {
    if (!IsDragging()) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return control_(message);
    }
    const POINT point = message.Point();
    POINT screen = point;
    ::ClientToScreen(tree_.GetHwnd(), &screen);
    ::ImageList_DragMove(screen.x, screen.y);
    const HTREEITEM target = tree_.HitTest(point);
    if (target) {
        MarkDropTarget(target);
        dropItem_ = target;
        lastPoint_ = point;
    }
    const bool canDrop = target && site_->CanDropOn(tree_, dragItem_, target);
    ::SetCursor(::LoadCursor(nullptr, canDrop ? IDC_ARROW : IDC_NO));
    return control_(message);
}

LRESULT CTreeDragController::OnLButtonUp(const Message& message) {
    const LRESULT result = control_(message);
    if (IsDragging()) {
        Drop(message.Point());
    }
    return result;
}

LRESULT CTreeDragController::OnTimer(const Message& message) {
    if (!IsDragging() || (message.TimerId() != kScrollTimer && message.TimerId() != kHoverTimer)) {
        return control_(message);
    }
    if (message.TimerId() == kScrollTimer) {
        ScrollAtEdge();
    } else {
        HoverSelect();
    }
    return 0;
}

LRESULT CTreeDragController::OnCaptureChanged(const Message& message) {
    // Losing the mouse to another window ends the drag without a move.
    if (IsDragging() && !endingDrag_) {
        EndDrag();
    }
    return control_(message);
}

void CTreeDragController::EndDrag() noexcept {
    endingDrag_ = true;
    dragItem_ = nullptr;
    ::ReleaseCapture();
    ::KillTimer(tree_.GetHwnd(), kScrollTimer);
    ::KillTimer(tree_.GetHwnd(), kHoverTimer);
    ::ImageList_DragLeave(nullptr);
    ::ImageList_EndDrag();
    dragImage_.reset();
    tree_.SelectDropTarget(nullptr);
    endingDrag_ = false;
    // The drag is over whatever the site makes of it; a throw from here
    // would end the process, as ending a drag must not fail.
    try {
        site_->OnDragStateChanged(tree_, false);
    } catch (...) {
    }
}

void CTreeDragController::Drop(POINT point) {
    const HTREEITEM dragged = dragItem_;
    const HTREEITEM lastTarget = dropItem_;
    EndDrag();
    if (lastTarget == dragged) {
        return;
    }
    const HTREEITEM target = tree_.HitTest(point);
    if (!target || !site_->CanDropOn(tree_, dragged, target)) {
        return;
    }
    // Never below itself; the topmost ancestor is the new parent.
    HTREEITEM newParent = target;
    for (HTREEITEM up = target; up; up = tree_.GetParentItem(up)) {
        if (up == dragged) {
            return;
        }
        newParent = up;
    }
    tree_.Expand(newParent);
    const HTREEITEM moved = site_->MoveItem(tree_, dragged, newParent, target);
    if (!moved) {
        return;
    }
    tree_.EnsureVisible(moved);
    tree_.SelectItem(moved);
    site_->OnItemMoved(tree_, moved);
}

void CTreeDragController::ScrollAtEdge() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    RECT client = tree_.GetClientRect();
    ::MapWindowPoints(tree_.GetHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    ::ImageList_DragMove(cursor.x, cursor.y);
    const HTREEITEM firstVisible = tree_.GetFirstVisibleItem();
    if (cursor.y < client.top + kScrollMargin) {
        ::ImageList_DragShowNolock(FALSE);
        tree_.Send(WM_VSCROLL, SB_LINEUP);
        tree_.SelectDropTarget(firstVisible);
        ::ImageList_DragShowNolock(TRUE);
    } else if (cursor.y > client.bottom - kScrollMargin) {
        ::ImageList_DragShowNolock(FALSE);
        tree_.Send(WM_VSCROLL, SB_LINEDOWN);
        HTREEITEM reached = firstVisible;
        const UINT visible = tree_.GetVisibleCount();
        for (UINT step = 1; reached && step < visible; ++step) {
            reached = tree_.GetNextVisibleItem(reached);
        }
        tree_.SelectDropTarget(reached);
        ::ImageList_DragShowNolock(TRUE);
    }
}

// Opening an item scrolls its children into view, which would bring another
// item under the mouse while the mark stayed on this one, and the drop would
// land there. The view stays as it was: the mark, the mouse and the drop
// agree.
void CTreeDragController::HoverSelect() {
    const HTREEITEM item = tree_.HitTest(lastPoint_);
    if (!item) {
        return;
    }
    const HTREEITEM firstVisible = tree_.GetFirstVisibleItem();
    ::ImageList_DragShowNolock(FALSE);
    tree_.SelectItem(item);
    tree_.Expand(item);
    if (firstVisible && tree_.GetFirstVisibleItem() != firstVisible) {
        tree_.SelectSetFirstVisible(firstVisible);
    }
    tree_.SelectDropTarget(item);
    ::ImageList_DragShowNolock(TRUE);
}

void CTreeDragController::MarkDropTarget(HTREEITEM item) const noexcept {
    ::ImageList_DragShowNolock(FALSE);
    tree_.SelectDropTarget(item);
    ::ImageList_DragShowNolock(TRUE);
}

}  // namespace tarvel
