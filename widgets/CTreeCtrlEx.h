#pragma once

#include "widgets/Color_Font.h"
#include "widgets/CWindow.h"
#include "widgets/UniqueHandle.h"

#include <commctrl.h>

#include <string>
#include <unordered_map>

namespace tarvel {

// The tree view of a dialog with typed item operations, per-item label
// colours and fonts (drawn over the control's own painting through a memory
// bitmap) and drag-and-drop of items: a drag image follows the mouse, the
// tree scrolls near its edges and opens the item the mouse rests on, and a
// drop re-creates the item at its new place. Attach it to the dialog's
// control with data exchange.
class CTreeCtrlEx : public CWindow {
public:
    CTreeCtrlEx();

    // The item data goes in with the item: setting it afterwards costs a
    // search of the whole tree in some tree views.
    HTREEITEM InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM insertAfter = TVI_LAST, LPARAM data = 0) const;
    bool DeleteItem(HTREEITEM item) const noexcept;
    std::string GetItemText(HTREEITEM item) const;
    bool SetItemText(HTREEITEM item, const std::string& text) const;
    LPARAM GetItemData(HTREEITEM item) const noexcept;
    bool SetItemData(HTREEITEM item, LPARAM data) const noexcept;
    bool GetItemImage(HTREEITEM item, int& image, int& selectedImage) const noexcept;
    bool SetItemImage(HTREEITEM item, int image, int selectedImage) const noexcept;
    UINT GetItemState(HTREEITEM item, UINT mask) const noexcept;

    HTREEITEM GetParentItem(HTREEITEM item) const noexcept { return Next(item, TVGN_PARENT); }
    HTREEITEM GetChildItem(HTREEITEM item) const noexcept { return Next(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const noexcept { return Next(item, TVGN_NEXT); }
    HTREEITEM GetRootItem() const noexcept { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM GetFirstVisibleItem() const noexcept { return Next(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const noexcept { return Next(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetSelectedItem() const noexcept { return Next(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const noexcept { return Next(nullptr, TVGN_DROPHILITE); }

    bool SelectItem(HTREEITEM item) const noexcept;
    bool SelectDropTarget(HTREEITEM item) const noexcept;
    bool Expand(HTREEITEM item, UINT code = TVE_EXPAND) const noexcept;
    bool EnsureVisible(HTREEITEM item) const noexcept;
    HTREEITEM HitTest(POINT point, UINT* flags = nullptr) const noexcept;
    // The item's row, or only its label when textOnly.
    bool GetItemRect(HTREEITEM item, RECT& rect, bool textOnly) const noexcept;
    UINT GetCount() const noexcept;
    UINT GetVisibleCount() const noexcept;
    HIMAGELIST SetImageList(HIMAGELIST images, int kind = TVSIL_NORMAL) const noexcept;
    HIMAGELIST CreateDragImage(HTREEITEM item) const noexcept;

    // The colour map; a record stays until it is replaced or its item is
    // deleted (the control hands a deleted item's handle to later items).
    void SetItemColor(HTREEITEM item, COLORREF color);
    COLORREF GetItemColor(HTREEITEM item) const noexcept;
    void SetItemFont(HTREEITEM item, const LOGFONTA& font);
    bool GetItemFont(HTREEITEM item, LOGFONTA& font) const noexcept;
    bool HasColorFont(HTREEITEM item) const noexcept { return colorFonts_.count(item) != 0; }

    // Drag rules: roots cannot be dragged, and an item cannot be dropped on itself.
    virtual bool CanDragItem(HTREEITEM item) const noexcept;
    virtual bool CanDropOn(HTREEITEM dragItem, HTREEITEM target) const noexcept;

    bool IsDragging() const noexcept { return dragItem_ != nullptr; }

    static constexpr UINT_PTR kScrollTimer = 1;
    static constexpr UINT_PTR kHoverTimer = 2;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;
    void OnFinalMessage() noexcept override;

    // Re-creates item under newParent after insertAfter and removes the old
    // one; the new item. The default copies label, images and item data.
    virtual HTREEITEM MoveItem(HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter);
    // After a drop has moved an item and selected it.
    virtual void OnItemMoved(HTREEITEM) {}
    // When a drag starts (true) or ends (false).
    virtual void OnDragStateChanged(bool) {}

private:
    static constexpr size_t kColorFontBuckets = 17;
    static constexpr int kLabelIndentX = 2;
    static constexpr int kLabelIndentY = 1;
    static constexpr LONG kBoldWeight = 700;
    static constexpr UINT kScrollInterval = 100;
    static constexpr UINT kHoverInterval = 1000;
    static constexpr int kScrollMargin = 10;
    static constexpr POINT kDragHotspot{-15, -30};

    HTREEITEM Next(HTREEITEM item, UINT relation) const noexcept;
    LRESULT OnDeleteItem(const Message& message);
    LRESULT OnPaint(const Message& message);
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
    void DrawColoredItems(HDC dc) const;
    bool NeedsOwnLabel(HTREEITEM item, bool treeHasFocus) const noexcept;
    void DrawLabel(HDC dc, HTREEITEM item, const Color_Font& record) const;

    std::unordered_map<HTREEITEM, Color_Font> colorFonts_;
    HTREEITEM dragItem_ = nullptr;
    HTREEITEM dropItem_ = nullptr;
    UniqueImageList dragImage_;
    POINT lastPoint_{0, 0};
    bool endingDrag_ = false;
};

}  // namespace tarvel
