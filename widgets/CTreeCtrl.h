#pragma once

#include "widgets/CWindow.h"

#include <commctrl.h>

#include <string>

namespace tarvel {

// A tree view with typed item operations. Plain: data exchange attaches it
// without taking its messages; CTreeCtrlEx adds behaviour.
class CTreeCtrl : public CWindow {
public:
    // The item data goes in with the item: setting it afterwards costs a
    // search of the whole tree in some tree views.
    HTREEITEM InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM insertAfter = TVI_LAST, LPARAM data = 0) const;
    bool DeleteItem(HTREEITEM item) const noexcept;
    std::string GetItemText(HTREEITEM item) const;
    bool SetItemText(HTREEITEM item, const std::string& text) const;
    LPARAM GetItemData(HTREEITEM item) const noexcept;
    bool GetItemImage(HTREEITEM item, int& image, int& selectedImage) const noexcept;
    UINT GetItemState(HTREEITEM item, UINT mask) const noexcept;

    HTREEITEM GetParentItem(HTREEITEM item) const noexcept { return Next(item, TVGN_PARENT); }
    HTREEITEM GetChildItem(HTREEITEM item) const noexcept { return Next(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const noexcept { return Next(item, TVGN_NEXT); }
    HTREEITEM GetRootItem() const noexcept { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM GetFirstVisibleItem() const noexcept { return Next(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const noexcept { return Next(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const noexcept { return Next(item, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetSelectedItem() const noexcept { return Next(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const noexcept { return Next(nullptr, TVGN_DROPHILITE); }

    bool SelectItem(HTREEITEM item) const noexcept;
    bool SelectDropTarget(HTREEITEM item) const noexcept;
    // Scrolls the item to the top of the view, as far as the tree can scroll.
    bool SelectSetFirstVisible(HTREEITEM item) const noexcept;
    bool Expand(HTREEITEM item, UINT code = TVE_EXPAND) const noexcept;
    bool EnsureVisible(HTREEITEM item) const noexcept;
    HTREEITEM HitTest(POINT point, UINT* flags = nullptr) const noexcept;
    // The item's row, or only its label when textOnly.
    bool GetItemRect(HTREEITEM item, RECT& rect, bool textOnly) const noexcept;
    UINT GetCount() const noexcept;
    UINT GetVisibleCount() const noexcept;
    HIMAGELIST SetImageList(HIMAGELIST images, int kind = TVSIL_NORMAL) const noexcept;
    HIMAGELIST CreateDragImage(HTREEITEM item) const noexcept;

private:
    HTREEITEM Next(HTREEITEM item, UINT relation) const noexcept;
};

}  // namespace tarvel
