#include "widgets/CTreeCtrlEx.h"

#include "widgets/UniqueHandle.h"

#include <vector>

namespace tarvel {

CTreeCtrlEx::CTreeCtrlEx() : colorFonts_(kColorFontBuckets) {}

HTREEITEM CTreeCtrlEx::InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent,
                                  HTREEITEM insertAfter) const {
    std::string label = text;
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = insertAfter;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = &label[0];
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
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
    return Send(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item)) != FALSE;
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
    static const MessageMap<CTreeCtrlEx> map = MessageMap<CTreeCtrlEx>().OnMessage(WM_PAINT, &CTreeCtrlEx::OnPaint);
    return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
}

LRESULT CTreeCtrlEx::OnPaint(const Message& message) {
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
    ::IntersectClipRect(memory.get(), paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                        paint.rcPaint.bottom);
    // The control paints into a given DC when WM_PAINT carries one.
    Default(Message{message.hwnd, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0});
    DrawColoredItems(memory.get());
    ::BitBlt(screen, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
             paint.rcPaint.bottom - paint.rcPaint.top, memory.get(), paint.rcPaint.left, paint.rcPaint.top,
             SRCCOPY);
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
        ::GetObjectA(treeFont ? static_cast<HGDIOBJ>(treeFont) : ::GetStockObject(DEFAULT_GUI_FONT),
                     sizeof(font), &font);
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

}  // namespace tarvel
