#include "widgets/CTreePropSheetEx.h"

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
constexpr RECT kMargin{0, 0, 7, 7};
constexpr RECT kGap{0, 0, 4, 4};
constexpr RECT kTreeWidth{0, 0, 72, 0};
constexpr RECT kButton{0, 0, 50, 14};
constexpr int kIconSize = 16;

std::vector<DWORD> SheetTemplate() {
    std::vector<WORD> words;
    auto add = [&words](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    add(kSheetStyle);
    add(0);                                           // extended style
    words.insert(words.end(), {0, 0, 0, 200, 120});  // no items; x, y, cx, cy
    words.insert(words.end(), {0, 0, 0});             // no menu, the dialog class, no caption
    words.push_back(kFontPoints);
    words.insert(words.end(), std::begin(kFontFace), std::end(kFontFace));
    // Templates must be DWORD-aligned.
    std::vector<DWORD> aligned((words.size() + 1) / 2);
    std::copy(words.begin(), words.end(), reinterpret_cast<WORD*>(aligned.data()));
    return aligned;
}

}  // namespace

void CTreePropSheetEx::AddPage(CPropertyPage& page) { pages_.push_back(&page); }

CPropertyPage* CTreePropSheetEx::GetPage(int index) const noexcept {
    return index >= 0 && index < GetPageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

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
    if (!CreateTree() || !CreatePages() || !CreateButtons()) {
        EndModal(-1);
        return TRUE;
    }
    LayOut();
    SetActivePage(0);
    // The user starts on the first field of the page rather than in the tree.
    if (CPropertyPage* page = GetPage(active_)) {
        if (HWND first = ::GetNextDlgTabItem(page->GetHwnd(), nullptr, FALSE)) {
            ::SetFocus(first);
            return FALSE;
        }
    }
    return TRUE;
}

bool CTreePropSheetEx::CreateTree() {
    tree_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_FULLROWSELECT, 0, 0, 0,
                              0, GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTreeId)), Module(),
                              nullptr);
    if (!tree_) {
        return false;
    }
    icons_.reset(ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, GetPageCount(), 0));
    ::SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(icons_.get()));
    return true;
}

bool CTreePropSheetEx::CreatePages() {
    for (CPropertyPage* page : pages_) {
        if (!page->CreatePage(GetHwnd())) {
            return false;
        }
        int image = -1;
        if (HICON icon = static_cast<HICON>(::LoadImageA(Module(), MAKEINTRESOURCEA(page->GetIconId()), IMAGE_ICON,
                                                        kIconSize, kIconSize, LR_DEFAULTCOLOR))) {
            image = ImageList_AddIcon(icons_.get(), icon);
            ::DestroyIcon(icon);
        }
        std::string caption = page->GetCaption();
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = &caption[0];
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        items_.push_back(reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
    }
    return true;
}

bool CTreePropSheetEx::CreateButtons() {
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT));
    struct ButtonSpec {
        int id;
        const char* text;
        DWORD style;
    };
    for (const ButtonSpec& spec : {ButtonSpec{IDOK, kOkText, BS_DEFPUSHBUTTON}, ButtonSpec{IDCANCEL, kCancelText, 0}}) {
        HWND button = ::CreateWindowExA(0, "BUTTON", spec.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | spec.style, 0, 0,
                                        0, 0, GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id)),
                                        Module(), nullptr);
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
    for (const CPropertyPage* page : pages_) {
        RECT rect{};
        ::GetWindowRect(page->GetHwnd(), &rect);
        largest.cx = std::max(largest.cx, rect.right - rect.left);
        largest.cy = std::max(largest.cy, rect.bottom - rect.top);
    }
    return largest;
}

void CTreePropSheetEx::LayOut() noexcept {
    RECT margin = kMargin, gap = kGap, tree = kTreeWidth, button = kButton;
    for (RECT* units : {&margin, &gap, &tree, &button}) {
        ::MapDialogRect(GetHwnd(), units);
    }
    const int m = margin.right, g = gap.right, treeWidth = tree.right;
    const int buttonWidth = button.right, buttonHeight = button.bottom;
    const SIZE page = LargestPage();
    RECT window{0, 0, m + treeWidth + g + page.cx + m, m + page.cy + g + buttonHeight + m};
    const RECT client = window;
    ::AdjustWindowRectEx(&window, static_cast<DWORD>(::GetWindowLongA(GetHwnd(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(GetHwnd(), GWL_EXSTYLE)));
    const SIZE windowSize{window.right - window.left, window.bottom - window.top};
    // Centred over the owner, or the work area without one.
    RECT over{};
    if (HWND owner = ::GetWindow(GetHwnd(), GW_OWNER); !owner || !::GetWindowRect(owner, &over)) {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    }
    ::SetWindowPos(GetHwnd(), nullptr, (over.left + over.right - windowSize.cx) / 2,
                   std::max(over.top, (over.top + over.bottom - windowSize.cy) / 2), windowSize.cx, windowSize.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    SetMinTrackSize(windowSize);

    ::MoveWindow(tree_, m, m, treeWidth, page.cy, FALSE);
    AddAnchor(tree_, TOP_LEFT, BOTTOM_LEFT);
    for (CPropertyPage* each : pages_) {
        ::MoveWindow(each->GetHwnd(), m + treeWidth + g, m, page.cx, page.cy, FALSE);
        AddAnchor(each->GetHwnd(), TOP_LEFT, BOTTOM_RIGHT);
    }
    const int buttonTop = client.bottom - m - buttonHeight;
    ::MoveWindow(GetItem(IDCANCEL), client.right - m - buttonWidth, buttonTop, buttonWidth, buttonHeight, FALSE);
    ::MoveWindow(GetItem(IDOK), client.right - m - 2 * buttonWidth - g, buttonTop, buttonWidth, buttonHeight, FALSE);
    AddAnchor(IDOK, BOTTOM_RIGHT);
    AddAnchor(IDCANCEL, BOTTOM_RIGHT);
}

bool CTreePropSheetEx::SetActivePage(int index) {
    CPropertyPage* next = GetPage(index);
    if (!next || !next->GetHwnd()) {
        return false;
    }
    if (index != active_) {
        if (CPropertyPage* current = GetPage(active_)) {
            if (!current->OnKillActive()) {
                return false;
            }
            ::ShowWindow(current->GetHwnd(), SW_HIDE);
        }
        active_ = index;
        next->OnSetActive();
        ::ShowWindow(next->GetHwnd(), SW_SHOW);
    }
    selecting_ = true;
    ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[static_cast<size_t>(index)]));
    selecting_ = false;
    return true;
}

bool CTreePropSheetEx::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CTreePropSheetEx> map =
        MessageMap<CTreePropSheetEx>()
            .OnMessage(PSM_SETCURSEL, &CTreePropSheetEx::OnSetCurSel)
            .OnNotify(kTreeId, TVN_SELCHANGEDA, &CTreePropSheetEx::OnSelChanged)
            .OnNotify(kTreeId, TVN_SELCHANGEDW, &CTreePropSheetEx::OnSelChanged);
    return map.Dispatch(*this, message, result) || CResizableDialog::OnMessage(message, result);
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
        SetActivePage(active_);
    }
    return 0;
}

void CTreePropSheetEx::OnOK() {
    if (CPropertyPage* page = GetPage(active_); page && !page->OnKillActive()) {
        return;
    }
    CResizableDialog::OnOK();
}

}  // namespace tarvel
