#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tarvel {

class CTreeCtrl;

// What a tree's drag controller asks of the one who owns the items. The
// defaults are the plain rules: roots stay, an item is not dropped on
// itself, a move re-creates the item with its label, images and data.
class ITreeDragSite {
public:
    virtual bool CanDragItem(const CTreeCtrl& tree, HTREEITEM item);
    virtual bool CanDropOn(const CTreeCtrl& tree, HTREEITEM dragItem, HTREEITEM target);
    // Re-creates item under newParent after insertAfter and removes the old
    // one; the new item, or null when nothing moved.
    virtual HTREEITEM MoveItem(CTreeCtrl& tree, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter);
    // After a drop has moved an item and selected it.
    virtual void OnItemMoved(CTreeCtrl&, HTREEITEM) {}
    // When a drag starts (true) or ends (false).
    virtual void OnDragStateChanged(CTreeCtrl&, bool) {}

protected:
    ~ITreeDragSite() = default;
};

}  // namespace tarvel
