#pragma once

#include "handles/UniqueImageList.h"
#include "widgets/ITreeDragSite.h"
#include "widgets/Message.h"

#include <functional>

namespace tarvel {

class CTreeCtrl;

// Drag-and-drop of a tree's items: a drag image follows the mouse, the tree
// scrolls near its edges and opens the item the mouse rests on, and a drop
// asks the site to move the item. Escape, or losing the mouse, abandons it.
// Without a site no drag starts.
class CTreeDragController {
public:
    using ControlProcessing = std::function<LRESULT(const Message&)>;

    CTreeDragController(CTreeCtrl& tree, ControlProcessing control);

    // A drag under way ends first: it was the old site's.
    void SetSite(ITreeDragSite* site) noexcept {
        if (IsDragging()) {
            EndDrag();
        }
        site_ = site;
    }
    bool IsDragging() const noexcept { return dragItem_ != nullptr; }
    // The tree's messages that a drag needs; true when handled.
    bool Handle(const Message& message, LRESULT& result);
    void Reset() noexcept;

    static constexpr UINT_PTR kScrollTimer = 1;
    static constexpr UINT_PTR kHoverTimer = 2;

private:
    static constexpr UINT kScrollInterval = 100;
    static constexpr UINT kHoverInterval = 1000;
    static constexpr int kScrollMargin = 10;
    static constexpr POINT kDragHotspot{-15, -30};

    LRESULT OnBeginDrag(const Message& message);
    LRESULT OnMouseMove(const Message& message);
    LRESULT OnLButtonUp(const Message& message);
    LRESULT OnTimer(const Message& message);
    LRESULT OnCaptureChanged(const Message& message);
    void EndDrag() noexcept;
    void Drop(POINT point);
    void ScrollAtEdge();
    void HoverSelect();
    void MarkDropTarget(HTREEITEM item) const noexcept;

    CTreeCtrl& tree_;
    ControlProcessing control_;
    ITreeDragSite* site_ = nullptr;
    HTREEITEM dragItem_ = nullptr;
    HTREEITEM dropItem_ = nullptr;
    UniqueImageList dragImage_;
    POINT lastPoint_{0, 0};
    bool endingDrag_ = false;
};

}  // namespace tarvel
