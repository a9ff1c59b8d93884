#include "widgets/CTreePropSheetBordered.h"

#include <commctrl.h>

namespace tarvel {
namespace {

constexpr UINT kTabControlId = 0x3020;

}  // namespace

void CTreePropSheetBordered::AddPage(CPropertyPage& page) { pages_.push_back(&page); }

bool CTreePropSheetBordered::Create(HWND parent, DWORD style, DWORD exStyle, const RECT& rect, UINT id) {
    if (!RegisterClassOnce(module_, kClassName, 0, ::LoadCursor(nullptr, IDC_ARROW),
                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) ||
        !CreateEx(module_, exStyle | WS_EX_CONTROLPARENT, kClassName, "", style | WS_CHILD | WS_CLIPCHILDREN, rect,
                  parent, id)) {
        return false;
    }
    const RECT client = GetClientRect();
    tab_ = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0,
                             client.right, client.bottom, GetHwnd(),
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTabControlId)), module_, nullptr);
    if (!tab_) {
        return false;
    }
    // The tabs read like the rest of the dialog: in its font, which follows
    // the display's resolution, unlike the fixed stock GUI font.
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(parent, WM_GETFONT, 0, 0));
    ::SendMessageA(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : ::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (CPropertyPage* page : pages_) {
        if (!page->CreatePage(GetHwnd())) {
            return false;
        }
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        std::string caption = page->GetCaption();
        item.pszText = &caption[0];
        ::SendMessageA(tab_, TCM_INSERTITEMA, static_cast<WPARAM>(::SendMessageA(tab_, TCM_GETITEMCOUNT, 0, 0)),
                       reinterpret_cast<LPARAM>(&item));
        // Above the tab strip, so that it is drawn and hit first.
        ::SetWindowPos(page->GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return pages_.empty() || SetActivePage(0);
}

CPropertyPage* CTreePropSheetBordered::GetPage(int index) const noexcept {
    return index >= 0 && index < GetPageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

bool CTreePropSheetBordered::SetActivePage(int index) {
    CPropertyPage* next = GetPage(index);
    if (!next || !next->GetHwnd()) {
        return false;
    }
    if (index == active_) {
        return true;
    }
    if (CPropertyPage* current = GetActivePage()) {
        if (!current->OnKillActive()) {
            return false;
        }
        ::ShowWindow(current->GetHwnd(), SW_HIDE);
    }
    active_ = index;
    ::SendMessageA(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    next->OnSetActive();
    PlaceActivePage();
    ::ShowWindow(next->GetHwnd(), SW_SHOW);
    return true;
}

RECT CTreePropSheetBordered::GetPageRect() const noexcept {
    RECT rect = GetClientRect();
    ::SendMessageA(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

bool CTreePropSheetBordered::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CTreePropSheetBordered> map =
        MessageMap<CTreePropSheetBordered>()
            .OnMessage(WM_SIZE, &CTreePropSheetBordered::OnSize)
            .OnNotify(kTabControlId, TCN_SELCHANGE, &CTreePropSheetBordered::OnTabChange);
    return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
}

LRESULT CTreePropSheetBordered::OnSize(const Message&) {
    if (tab_) {
        const RECT client = GetClientRect();
        ::SetWindowPos(tab_, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    PlaceActivePage();
    return 0;
}

LRESULT CTreePropSheetBordered::OnTabChange(const Message&) {
    const int selected = static_cast<int>(::SendMessageA(tab_, TCM_GETCURSEL, 0, 0));
    if (!SetActivePage(selected)) {
        ::SendMessageA(tab_, TCM_SETCURSEL, static_cast<WPARAM>(active_), 0);
    }
    return 0;
}

void CTreePropSheetBordered::PlaceActivePage() const noexcept {
    const CPropertyPage* page = GetActivePage();
    if (!page || !tab_) {
        return;
    }
    const RECT rect = GetPageRect();
    ::SetWindowPos(page->GetHwnd(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tarvel
