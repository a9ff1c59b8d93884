#include "widgets/CTreePropSheetEx.h"

#include "layout/LayoutGeometry.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>

namespace tarvel {
namespace {

// The frame's template, built in memory: the sheet makes its controls itself.
constexpr DWORD kSheetStyle =
    DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr WORD kFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Shell Dlg";
// Dialog units of the layout.
constexpr int kMarginUnits = 7;
constexpr int kGapUnits = 4;
constexpr int kTreeWidthUnits = 72;
constexpr SIZE kButtonUnits{50, 14};

std::vector<DWORD> SheetTemplate() {
    std::vector<WORD> words;
    auto add = [&words](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    add(kSheetStyle);
    add(0);                                          // extended style
    words.insert(words.end(), {0, 0, 0, 200, 120});  // no items; x, y, cx, cy
    words.insert(words.end(), {0, 0, 0});            // no menu, the dialog class, no caption
    words.push_back(kFontPoints);
    words.insert(words.end(), std::begin(kFontFace), std::end(kFontFace));
    // Templates must be DWORD-aligned.
    std::vector<DWORD> aligned((words.size() + 1) / 2);
    std::copy(words.begin(), words.end(), reinterpret_cast<WORD*>(aligned.data()));
    return aligned;
}

}  // namespace

bool CTreePropSheetEx::CreateModeless(HWND parent) noexcept {
    try {
        const std::vector<DWORD> sheetTemplate = SheetTemplate();
        return CreateIndirect(reinterpret_cast<const DLGTEMPLATE*>(sheetTemplate.data()), parent);
    } catch (...) {
        return false;
    }
}

BOOL CTreePropSheetEx::OnInitDialog() {
    CResizableDialog::OnInitDialog();
    // Tree, pages, buttons: creation order is the tab order.
    if (!CreateTree() || !pages_.CreatePages(GetHwnd()) || !AddTreeItems() || !CreateButtons()) {
        EndModal(-1);
        return TRUE;
    }
    LayOut();
    SetActivePage(0);
    // The user starts on the first field of the page rather than in the tree.
    if (const CPropertyPage* page = GetPage(GetActiveIndex())) {
        if (HWND first = ::GetNextDlgTabItem(page->GetHwnd(), nullptr, FALSE)) {
            ::SetFocus(first);
            return FALSE;
        }
    }
    return TRUE;
}

bool CTreePropSheetEx::CreateTree() {
    tree_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT, 0, 0, 0, 0,
                              GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTreeId)), Module(), nullptr);
    return tree_ != nullptr;
}

bool CTreePropSheetEx::AddTreeItems() {
    ::SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(pages_.Icons()));
    for (int index = 0; index < GetPageCount(); ++index) {
        std::string caption = GetPage(index)->GetCaption();
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = &caption[0];
        insert.item.iImage = insert.item.iSelectedImage = pages_.IconIndex(index);
        const auto item =
            reinterpret_cast<HTREEITEM>(::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!item) {
            return false;
        }
        items_.push_back(item);
    }
    return true;
}

bool CTreePropSheetEx::CreateButtons() {
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT));
    struct SheetButton {
        int id;
        const char* text;
        DWORD style;
    };
    for (const SheetButton& wanted :
         {SheetButton{IDOK, kOkText, BS_DEFPUSHBUTTON}, SheetButton{IDCANCEL, kCancelText, 0}}) {
        HWND button =
            ::CreateWindowExA(0, "BUTTON", wanted.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | wanted.style, 0, 0, 0, 0,
                              GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(wanted.id)), Module(), nullptr);
        if (!button) {
            return false;
        }
        ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ::SendMessageA(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}

SIZE CTreePropSheetEx::LargestPage() const noexcept {
    SIZE largest{0, 0};
    for (int index = 0; index < GetPageCount(); ++index) {
        RECT rect{};
        ::GetWindowRect(GetPage(index)->GetHwnd(), &rect);
        largest.cx = std::max(largest.cx, rect.right - rect.left);
        largest.cy = std::max(largest.cy, rect.bottom - rect.top);
    }
    return largest;
}

void CTreePropSheetEx::LayOut() noexcept {
    RECT units{kMarginUnits, kGapUnits, kTreeWidthUnits, 0};
    RECT button{0, 0, kButtonUnits.cx, kButtonUnits.cy};
    ::MapDialogRect(GetHwnd(), &units);
    ::MapDialogRect(GetHwnd(), &button);
    measures_ = {units.left, units.top, units.right, SIZE{button.right, button.bottom}};
    const int m = measures_.margin, g = measures_.gap;
    const SIZE page = LargestPage();
    const RECT client{0, 0, m + measures_.treeWidth + g + page.cx + m, m + page.cy + g + measures_.button.cy + m};
    RECT window = client;
    ::AdjustWindowRectEx(&window, static_cast<DWORD>(::GetWindowLongA(GetHwnd(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(GetHwnd(), GWL_EXSTYLE)));
    const SIZE windowSize{window.right - window.left, window.bottom - window.top};
    CenterOverOwner(windowSize);
    SetMinTrackSize(windowSize);

    ::MoveWindow(tree_, m, m, measures_.treeWidth, page.cy, FALSE);
    AddAnchor(tree_, TOP_LEFT, BOTTOM_LEFT);
    const int buttonTop = client.bottom - m - measures_.button.cy;
    const int cancelLeft = client.right - m - measures_.button.cx;
    ::MoveWindow(GetItem(IDCANCEL), cancelLeft, buttonTop, measures_.button.cx, measures_.button.cy, FALSE);
    ::MoveWindow(GetItem(IDOK), cancelLeft - g - measures_.button.cx, buttonTop, measures_.button.cx,
                 measures_.button.cy, FALSE);
    AddAnchor(IDOK, BOTTOM_RIGHT);
    AddAnchor(IDCANCEL, BOTTOM_RIGHT);
}

// Over the owner window, or the work area when there is none or it is out of
// sight (minimized, its rectangle is far off the screen). A sheet wider than
// its owner starts at the owner's edge rather than off the screen.
void CTreePropSheetEx::CenterOverOwner(SIZE windowSize) noexcept {
    RECT over{};
    const HWND owner = ::GetWindow(GetHwnd(), GW_OWNER);
    if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &over)) {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    }
    const LayoutRect centered = CenterOver({over.left, over.top, over.right, over.bottom}, windowSize.cx, windowSize.cy);
    ::SetWindowPos(GetHwnd(), nullptr, centered.left, centered.top, windowSize.cx, windowSize.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

// Right of the tree, above the buttons.
RECT CTreePropSheetEx::PageRect() const noexcept {
    const RECT client = GetClientRect();
    const Measures& m = measures_;
    return RECT{m.margin + m.treeWidth + m.gap, m.margin, client.right - m.margin,
                client.bottom - m.margin - m.button.cy - m.gap};
}

bool CTreePropSheetEx::SetActivePage(int index) {
    if (!pages_.Activate(index, PageRect())) {
        return false;
    }
    selecting_ = true;
    ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[static_cast<size_t>(index)]));
    selecting_ = false;
    return true;
}

bool CTreePropSheetEx::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CTreePropSheetEx> map =
        MessageMap<CTreePropSheetEx>()
            .OnSize(&CTreePropSheetEx::OnSize)
            .OnMessage(PSM_SETCURSEL, &CTreePropSheetEx::OnSetCurSel)
            .OnNotify(kTreeId, TVN_SELCHANGEDA, &CTreePropSheetEx::OnSelChanged)
            .OnNotify(kTreeId, TVN_SELCHANGEDW, &CTreePropSheetEx::OnSelChanged);
    return map.Dispatch(*this, message, result) || CResizableDialog::OnMessage(message, result);
}

void CTreePropSheetEx::OnSize(UINT kind, SIZE size) {
    CResizableDialog::OnSize(kind, size);
    if (kind != SIZE_MINIMIZED) {
        pages_.PlaceActivePage(PageRect());
    }
}

LRESULT CTreePropSheetEx::OnSetCurSel(const Message& message) {
    const BOOL selected = SetActivePage(static_cast<int>(message.wParam));
    ::SetWindowLongPtrA(GetHwnd(), DWLP_MSGRESULT, selected);
    return selected;
}

LRESULT CTreePropSheetEx::OnSelChanged(const Message& message) {
    if (selecting_) {
        return 0;
    }
    const HTREEITEM item = reinterpret_cast<NMTREEVIEWA*>(message.lParam)->itemNew.hItem;
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end() || !SetActivePage(static_cast<int>(found - items_.begin()))) {
        // The page stays: so does the tree's selection.
        SetActivePage(GetActiveIndex());
    }
    return 0;
}

void CTreePropSheetEx::OnOK() {
    if (CPropertyPage* page = GetPage(GetActiveIndex()); page && !page->OnKillActive()) {
        return;
    }
    CResizableDialog::OnOK();
}

}  // namespace tarvel
