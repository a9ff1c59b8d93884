#include "widgets/CTreeCtrlEx.h"

#include <vector>

namespace tarvel {

CTreeCtrlEx::CTreeCtrlEx() : colorFonts_(kColorFontBuckets) {}

HTREEITEM CTreeCtrlEx::InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent,
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

bool CTreeCtrlEx::DeleteItem(HTREEITEM item) const noexcept {
    return Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != FALSE;
}

std::string CTreeCtrlEx::GetItemText(HTREEITEM item) const {
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

bool CTreeCtrlEx::SetItemText(HTREEITEM item, const std::string& text) const {
    std::string label = text;
    TVITEMA change = {};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = &label[0];
    return Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change)) != FALSE;
}

LPARAM CTreeCtrlEx::GetItemData(HTREEITEM item) const noexcept {
    TVITEMA query = {};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    return Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) ? query.lParam : 0;
}

bool CTreeCtrlEx::SetItemData(HTREEITEM item, LPARAM data) const noexcept {
    TVITEMA change = {};
    change.mask = TVIF_PARAM;
    change.hItem = item;
    change.lParam = data;
    return Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change)) != FALSE;
}

bool CTreeCtrlEx::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const noexcept {
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

bool CTreeCtrlEx::SetItemImage(HTREEITEM item, int image, int selectedImage) const noexcept {
    TVITEMA change = {};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = item;
    change.iImage = image;
    change.iSelectedImage = selectedImage;
    return Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change)) != FALSE;
}

UINT CTreeCtrlEx::GetItemState(HTREEITEM item, UINT mask) const noexcept {
    return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

HTREEITEM CTreeCtrlEx::Next(HTREEITEM item, UINT relation) const noexcept {
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

bool CTreeCtrlEx::SelectItem(HTREEITEM item) const noexcept {
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != FALSE;
}

bool CTreeCtrlEx::SelectDropTarget(HTREEITEM item) const noexcept {
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

bool CTreeCtrlEx::Expand(HTREEITEM item, UINT code) const noexcept {
    return Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != FALSE;
}

bool CTreeCtrlEx::EnsureVisible(HTREEITEM item) const noexcept {
    return Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)) != FALSE;
}

HTREEITEM CTreeCtrlEx::HitTest(POINT point, UINT* flags) const noexcept {
    TVHITTESTINFO hit = {};
    hit.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags) {
        *flags = hit.flags;
    }
    return item;
}

bool CTreeCtrlEx::GetItemRect(HTREEITEM item, RECT& rect, bool textOnly) const noexcept {
    // The message takes the item handle in the rectangle it fills.
    *reinterpret_cast<HTREEITEM*>(&rect) = item;
    return Send(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect)) != FALSE;
}

UINT CTreeCtrlEx::GetCount() const noexcept { return static_cast<UINT>(Send(TVM_GETCOUNT)); }
UINT CTreeCtrlEx::GetVisibleCount() const noexcept { return static_cast<UINT>(Send(TVM_GETVISIBLECOUNT)); }

HIMAGELIST CTreeCtrlEx::SetImageList(HIMAGELIST images, int kind) const noexcept {
    return reinterpret_cast<HIMAGELIST>(
        Send(TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images)));
}

HIMAGELIST CTreeCtrlEx::CreateDragImage(HTREEITEM item) const noexcept {
    return reinterpret_cast<HIMAGELIST>(Send(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(item)));
}

void CTreeCtrlEx::SetItemColor(HTREEITEM item, COLORREF color) {
    colorFonts_[item].color = color;
    ::InvalidateRect(GetHwnd(), nullptr, FALSE);
}

COLORREF CTreeCtrlEx::GetItemColor(HTREEITEM item) const noexcept {
    const auto found = colorFonts_.find(item);
    return found == colorFonts_.end() ? Color_Font::kDefaultColor : found->second.color;
}

void CTreeCtrlEx::SetItemFont(HTREEITEM item, const LOGFONTA& font) {
    colorFonts_[item].logfont = font;
    ::InvalidateRect(GetHwnd(), nullptr, FALSE);
}

bool CTreeCtrlEx::GetItemFont(HTREEITEM item, LOGFONTA& font) const noexcept {
    const auto found = colorFonts_.find(item);
    if (found == colorFonts_.end() || found->second.logfont.lfFaceName[0] == '\0') {
        return false;
    }
    font = found->second.logfont;
    return true;
}

bool CTreeCtrlEx::CanDragItem(HTREEITEM item) const noexcept { return GetParentItem(item) != nullptr; }

bool CTreeCtrlEx::CanDropOn(HTREEITEM dragItem, HTREEITEM target) const noexcept {
    return !(GetParentItem(target) != nullptr && target == dragItem);
}

bool CTreeCtrlEx::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CTreeCtrlEx> map = MessageMap<CTreeCtrlEx>()
                                                   .OnMessage(TVM_DELETEITEM, &CTreeCtrlEx::OnDeleteItem)
                                                   .OnMessage(WM_PAINT, &CTreeCtrlEx::OnPaint)
                                                   .OnReflectedNotify(TVN_BEGINDRAGA, &CTreeCtrlEx::OnBeginDrag)
                                                   .OnReflectedNotify(TVN_BEGINDRAGW, &CTreeCtrlEx::OnBeginDrag)
                                                   .OnMessage(WM_MOUSEMOVE, &CTreeCtrlEx::OnMouseMove)
                                                   .OnMessage(WM_LBUTTONUP, &CTreeCtrlEx::OnLButtonUp)
                                                   .OnMessage(WM_TIMER, &CTreeCtrlEx::OnTimer)
                                                   .OnMessage(WM_CAPTURECHANGED, &CTreeCtrlEx::OnCaptureChanged);
    return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
}

void CTreeCtrlEx::OnFinalMessage() noexcept {
    colorFonts_.clear();
    dragItem_ = nullptr;
    dropItem_ = nullptr;
    dragImage_.reset();
}

// Whoever deletes an item, its record and those of its children go with it.
LRESULT CTreeCtrlEx::OnDeleteItem(const Message& message) {
    const auto item = reinterpret_cast<HTREEITEM>(message.lParam);
    if (item == nullptr || item == TVI_ROOT) {
        const LRESULT deleted = Default(message);
        if (deleted) {
            colorFonts_.clear();
        }
        return deleted;
    }
    std::vector<HTREEITEM> gone{item};
    for (size_t i = 0; i < gone.size(); ++i) {
        for (HTREEITEM child = GetChildItem(gone[i]); child; child = GetNextSiblingItem(child)) {
            gone.push_back(child);
        }
    }
    const LRESULT deleted = Default(message);
    if (deleted) {
        for (const HTREEITEM record : gone) {
            colorFonts_.erase(record);
        }
    }
    return deleted;
}

LRESULT CTreeCtrlEx::OnPaint(const Message& message) {
    // A caller that passes its own DC (printing, a capture) gets the labels
    // there, drawn straight in.
    if (const auto given = reinterpret_cast<HDC>(message.wParam)) {
        Default(message);
        DrawColoredItems(given);
        return 0;
    }
    PAINTSTRUCT paint{};
    HDC screen = ::BeginPaint(GetHwnd(), &paint);
    const RECT client = GetClientRect();
    UniqueMemoryDC memory(::CreateCompatibleDC(screen));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, client.right, client.bottom));
    if (!memory || !bitmap) {
        ::EndPaint(GetHwnd(), &paint);
        // Without a buffer the control paints as it would on its own.
        ::InvalidateRect(GetHwnd(), &paint.rcPaint, FALSE);
        return Default(message);
    }
    const HGDIOBJ oldBitmap = ::SelectObject(memory.get(), bitmap.get());
    ::IntersectClipRect(memory.get(), paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom);
    // The control paints into a given DC when WM_PAINT carries one.
    Default(Message{message.hwnd, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0});
    DrawColoredItems(memory.get());
    ::BitBlt(screen, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
             paint.rcPaint.bottom - paint.rcPaint.top, memory.get(), paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
    ::SelectObject(memory.get(), oldBitmap);
    ::EndPaint(GetHwnd(), &paint);
    return 0;
}

void CTreeCtrlEx::DrawColoredItems(HDC dc) const {
    const bool treeHasFocus = ::GetFocus() == GetHwnd();
    const UINT limit = GetVisibleCount() + 1;
    HTREEITEM item = GetFirstVisibleItem();
    for (UINT drawn = 0; item && drawn < limit; ++drawn, item = GetNextVisibleItem(item)) {
        const auto found = colorFonts_.find(item);
        if (found != colorFonts_.end() && NeedsOwnLabel(item, treeHasFocus)) {
            DrawLabel(dc, item, found->second);
        }
    }
}

bool CTreeCtrlEx::NeedsOwnLabel(HTREEITEM item, bool treeHasFocus) const noexcept {
    const UINT highlighted = GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED) & (TVIS_SELECTED | TVIS_DROPHILITED);
    return highlighted == 0 || !treeHasFocus;
}

void CTreeCtrlEx::DrawLabel(HDC dc, HTREEITEM item, const Color_Font& record) const {
    RECT label{};
    if (!GetItemRect(item, label, true)) {
        return;
    }
    LOGFONTA font = record.logfont;
    if (font.lfFaceName[0] == '\0') {
        const auto treeFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
        ::GetObjectA(treeFont ? static_cast<HGDIOBJ>(treeFont) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(font),
                     &font);
    }
    if (GetItemState(item, TVIS_BOLD) & TVIS_BOLD) {
        font.lfWeight = kBoldWeight;
    }
    UniqueFont labelFont(::CreateFontIndirectA(&font));
    const HGDIOBJ oldFont = ::SelectObject(dc, labelFont.get());
    ::SetTextColor(dc, record.color == Color_Font::kDefaultColor ? ::GetSysColor(COLOR_WINDOWTEXT) : record.color);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetBkMode(dc, OPAQUE);
    const std::string text = GetItemText(item);
    ::TextOutA(dc, label.left + kLabelIndentX, label.top + kLabelIndentY, text.c_str(), static_cast<int>(text.size()));
    ::SelectObject(dc, oldFont);
}

// ---- drag and drop ------------------------------------------------------------

HTREEITEM CTreeCtrlEx::MoveItem(HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter) {
    int image = 0, selectedImage = 0;
    GetItemImage(item, image, selectedImage);
    const HTREEITEM moved =
        InsertItem(GetItemText(item), image, selectedImage, newParent, insertAfter, GetItemData(item));
    if (moved) {
        DeleteItem(item);
    }
    return moved;
}

LRESULT CTreeCtrlEx::OnBeginDrag(const Message& message) {
    // Both notification forms carry the item and the point at the same place.
    const auto* info = reinterpret_cast<const NMTREEVIEWA*>(message.lParam);
    const HTREEITEM item = info->itemNew.hItem;
    if (IsDragging() || !CanDragItem(item)) {
        return 0;
    }
    dropItem_ = nullptr;
    dragImage_.reset(CreateDragImage(item));
    if (!dragImage_) {
        return 0;
    }
    dragItem_ = item;
    ::SetTimer(GetHwnd(), kScrollTimer, kScrollInterval, nullptr);
    ::SetTimer(GetHwnd(), kHoverTimer, kHoverInterval, nullptr);
    OnDragStateChanged(true);
    ::ImageList_BeginDrag(dragImage_.get(), 0, kDragHotspot.x, kDragHotspot.y);
    POINT start = info->ptDrag;
    ::ClientToScreen(GetHwnd(), &start);
    ::ImageList_DragEnter(nullptr, start.x, start.y);
    ::SetCapture(GetHwnd());
    return 0;
}

LRESULT CTreeCtrlEx::OnMouseMove(const Message& message) {
    if (!IsDragging()) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return Default(message);
    }
    const POINT point = message.Point();
    POINT screen = point;
    ::ClientToScreen(GetHwnd(), &screen);
    ::ImageList_DragMove(screen.x, screen.y);
    const HTREEITEM target = HitTest(point);
    if (target) {
        MarkDropTarget(target);
        dropItem_ = target;
        lastPoint_ = point;
    }
    const bool canDrop = target && CanDropOn(dragItem_, target);
    ::SetCursor(::LoadCursor(nullptr, canDrop ? IDC_ARROW : IDC_NO));
    return Default(message);
}

LRESULT CTreeCtrlEx::OnLButtonUp(const Message& message) {
    const LRESULT result = Default(message);
    if (IsDragging()) {
        Drop(message.Point());
    }
    return result;
}

LRESULT CTreeCtrlEx::OnTimer(const Message& message) {
    if (!IsDragging() || (message.TimerId() != kScrollTimer && message.TimerId() != kHoverTimer)) {
        return Default(message);
    }
    if (message.TimerId() == kScrollTimer) {
        ScrollAtEdge();
    } else {
        HoverSelect();
    }
    return 0;
}

LRESULT CTreeCtrlEx::OnCaptureChanged(const Message& message) {
    // Losing the mouse to another window ends the drag without a move.
    if (IsDragging() && !endingDrag_) {
        EndDrag();
    }
    return Default(message);
}

void CTreeCtrlEx::EndDrag() noexcept {
    endingDrag_ = true;
    dragItem_ = nullptr;
    ::ReleaseCapture();
    ::KillTimer(GetHwnd(), kScrollTimer);
    ::KillTimer(GetHwnd(), kHoverTimer);
    ::ImageList_DragLeave(nullptr);
    ::ImageList_EndDrag();
    dragImage_.reset();
    SelectDropTarget(nullptr);
    endingDrag_ = false;
    OnDragStateChanged(false);
}

void CTreeCtrlEx::Drop(POINT point) {
    const HTREEITEM dragged = dragItem_;
    const HTREEITEM lastTarget = dropItem_;
    EndDrag();
    if (lastTarget == dragged) {
        return;
    }
    const HTREEITEM target = HitTest(point);
    if (!target || !CanDropOn(dragged, target)) {
        return;
    }
    // Never below itself; the topmost ancestor is the new parent.
    HTREEITEM newParent = target;
    for (HTREEITEM up = target; up; up = GetParentItem(up)) {
        if (up == dragged) {
            return;
        }
        newParent = up;
    }
    Expand(newParent);
    const HTREEITEM moved = MoveItem(dragged, newParent, target);
    if (!moved) {
        return;
    }
    EnsureVisible(moved);
    SelectItem(moved);
    OnItemMoved(moved);
}

void CTreeCtrlEx::ScrollAtEdge() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    RECT client = GetClientRect();
    ::MapWindowPoints(GetHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    ::ImageList_DragMove(cursor.x, cursor.y);
    const HTREEITEM firstVisible = GetFirstVisibleItem();
    if (cursor.y < client.top + kScrollMargin) {
        ::ImageList_DragShowNolock(FALSE);
        Send(WM_VSCROLL, SB_LINEUP);
        SelectDropTarget(firstVisible);
        ::ImageList_DragShowNolock(TRUE);
    } else if (cursor.y > client.bottom - kScrollMargin) {
        ::ImageList_DragShowNolock(FALSE);
        Send(WM_VSCROLL, SB_LINEDOWN);
        HTREEITEM reached = firstVisible;
        const UINT visible = GetVisibleCount();
        for (UINT step = 1; reached && step < visible; ++step) {
            reached = GetNextVisibleItem(reached);
        }
        SelectDropTarget(reached);
        ::ImageList_DragShowNolock(TRUE);
    }
}

void CTreeCtrlEx::HoverSelect() {
    const HTREEITEM item = HitTest(lastPoint_);
    if (!item) {
        return;
    }
    SelectItem(item);
    Expand(item);
    MarkDropTarget(item);
}

void CTreeCtrlEx::MarkDropTarget(HTREEITEM item) const noexcept {
    ::ImageList_DragShowNolock(FALSE);
    SelectDropTarget(item);
    ::ImageList_DragShowNolock(TRUE);
}

}  // namespace tarvel
