#include "widgets/ITreeDragSite.h"

#include "widgets/CTreeCtrl.h"

namespace tarvel {

bool ITreeDragSite::CanDragItem(const CTreeCtrl& tree, HTREEITEM item) { return tree.GetParentItem(item) != nullptr; }

bool ITreeDragSite::CanDropOn(const CTreeCtrl& tree, HTREEITEM dragItem, HTREEITEM target) {
    return !(tree.GetParentItem(target) != nullptr && target == dragItem);
}

HTREEITEM ITreeDragSite::MoveItem(CTreeCtrl& tree, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter) {
    int image = 0, selectedImage = 0;
    tree.GetItemImage(item, image, selectedImage);
    const HTREEITEM moved =
        tree.InsertItem(tree.GetItemText(item), image, selectedImage, newParent, insertAfter, tree.GetItemData(item));
    if (moved) {
        tree.DeleteItem(item);
    }
    return moved;
}
}  // namespace tarvel
