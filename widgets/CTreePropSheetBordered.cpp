#include "widgets/CTreePropSheetBordered.h"

#include <commctrl.h>

namespace tarvel {
namespace {

constexpr UINT kTabControlId = 0x3020;

}  // namespace

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
    if (!pages_.CreatePages(GetHwnd())) {
        return false;
    }
    ::SendMessageA(tab_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pages_.Icons()));
    for (int index = 0; index < GetPageCount(); ++index) {
        if (!AddTab(index)) {
            return false;
        }
    }
    return GetPageCount() == 0 || SetActivePage(0);
}

bool CTreePropSheetBordered::AddTab(int index) {
    const CPropertyPage* page = GetPage(index);
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    std::string caption = page->GetCaption();
    item.pszText = &caption[0];
    item.iImage = pages_.IconIndex(index);
    if (::SendMessageA(tab_, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) < 0) {
        return false;
    }
    // Above the tab strip, so that it is drawn and hit first.
    ::SetWindowPos(page->GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool CTreePropSheetBordered::SetActivePage(int index) {
    if (!pages_.Activate(index, GetPageRect())) {
        return false;
    }
    ::SendMessageA(tab_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
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
    pages_.PlaceActivePage(GetPageRect());
    return 0;
}

LRESULT CTreePropSheetBordered::OnTabChange(const Message&) {
    const int selected = static_cast<int>(::SendMessageA(tab_, TCM_GETCURSEL, 0, 0));
    if (!SetActivePage(selected)) {
        ::SendMessageA(tab_, TCM_SETCURSEL, static_cast<WPARAM>(GetActiveIndex()), 0);
    }
    return 0;
}

}  // namespace tarvel
