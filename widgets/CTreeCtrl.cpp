#include "widgets/CTreeCtrl.h"

#include <vector>

namespace tarvel {

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM insertAfter, LPARAM data) const {
    std::string label = text;
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = insertAfter;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = &label[0];
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

bool CTreeCtrl::DeleteItem(HTREEITEM item) const noexcept {
    return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != FALSE;
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const {
    // Labels longer than this are not shown by the control either.
    std::vector<char> buffer(1024, '\0');
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer.data();
    query.cchTextMax = static_cast<int>(buffer.size());
    if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) {
        return {};
    }
    return std::string(query.pszText ? query.pszText : "");
}

bool CTreeCtrl::SetItemText(HTREEITEM item, const std::string& text) const {
    std::string label = text;
    TVITEMA change = {};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = &label[0];
    return Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change)) != FALSE;
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const noexcept {
    TVITEMA query = {};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    return Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) ? query.lParam : 0;
}

bool CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const noexcept {
    TVITEMA query = {};
    query.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    query.hItem = item;
    if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) {
        return false;
    }
    image = query.iImage;
    selectedImage = query.iSelectedImage;
    return true;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const noexcept {
    return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

HTREEITEM CTreeCtrl::Next(HTREEITEM item, UINT relation) const noexcept {
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

bool CTreeCtrl::SelectItem(HTREEITEM item) const noexcept {
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
}

bool CTreeCtrl::SelectSetFirstVisible(HTREEITEM item) const noexcept {
    return Send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item)) != FALSE;
}

bool CTreeCtrl::SelectDropTarget(HTREEITEM item) const noexcept {
    const HTREEITEM previous = GetDropHilightItem();
    const bool done = Send(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item)) != FALSE;
    // Some tree views ignore clearing the mark while no item is selected; clear the look at least.
    if (!item && previous && (GetItemState(previous, TVIS_DROPHILITED) & TVIS_DROPHILITED)) {
        TVITEMA change = {};
        change.mask = TVIF_STATE;
        change.hItem = previous;
        change.stateMask = TVIS_DROPHILITED;
        Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    }
    return done;
}

bool CTreeCtrl::Expand(HTREEITEM item, UINT code) const noexcept {
    return Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != FALSE;
}

bool CTreeCtrl::EnsureVisible(HTREEITEM item) const noexcept {
    return Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)) != FALSE;
}

HTREEITEM CTreeCtrl::HitTest(POINT point, UINT* flags) const noexcept {
    TVHITTESTINFO hit = {};
    hit.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags) {
        *flags = hit.flags;
    }
    return item;
}

bool CTreeCtrl::GetItemRect(HTREEITEM item, RECT& rect, bool textOnly) const noexcept {
    // The message takes the item handle in the rectangle it fills.
    *reinterpret_cast<HTREEITEM*>(&rect) = item;
    return Send(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect)) != FALSE;
}

UINT CTreeCtrl::GetCount() const noexcept { return static_cast<UINT>(Send(TVM_GETCOUNT)); }
UINT CTreeCtrl::GetVisibleCount() const noexcept { return static_cast<UINT>(Send(TVM_GETVISIBLECOUNT)); }

HIMAGELIST CTreeCtrl::SetImageList(HIMAGELIST images, int kind) const noexcept {
    return reinterpret_cast<HIMAGELIST>(
        Send(TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images)));
}

HIMAGELIST CTreeCtrl::CreateDragImage(HTREEITEM item) const noexcept {
    return reinterpret_cast<HIMAGELIST>(Send(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(item)));
}

}  // namespace tarvel
