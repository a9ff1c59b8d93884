#include "widgets/CPageHost.h"

namespace tarvel {
namespace {

constexpr int kIconGrowth = 2;

}  // namespace

void CPageHost::AddPage(CPropertyPage& page) { pages_.push_back(&page); }

bool CPageHost::CreatePages(HWND parent) {
    iconIndexes_.clear();
    for (CPropertyPage* page : pages_) {
        if (!page->CreatePage(parent)) {
            return false;
        }
        AddIcon(*page);
    }
    return true;
}

// Icons are shared resources of the module: the list keeps its own copies.
void CPageHost::AddIcon(const CPropertyPage& page) {
    const int width = ::GetSystemMetrics(SM_CXSMICON);
    const int height = ::GetSystemMetrics(SM_CYSMICON);
    const auto icon = page.GetIconId() == 0
                          ? nullptr
                          : static_cast<HICON>(::LoadImageA(module_, MAKEINTRESOURCEA(page.GetIconId()), IMAGE_ICON,
                                                            width, height, LR_SHARED));
    if (icon && !icons_) {
        icons_.reset(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, GetPageCount(), kIconGrowth));
    }
    iconIndexes_.push_back(icon && icons_ ? ::ImageList_AddIcon(icons_.get(), icon) : kNoIcon);
}

int CPageHost::IconIndex(int page) const noexcept {
    return page >= 0 && page < static_cast<int>(iconIndexes_.size()) ? iconIndexes_[static_cast<size_t>(page)]
                                                                     : kNoIcon;
}

CPropertyPage* CPageHost::GetPage(int index) const noexcept {
    return index >= 0 && index < GetPageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

bool CPageHost::Activate(int index, const RECT& rect) {
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
    next->OnSetActive();
    PlaceActivePage(rect);
    ::ShowWindow(next->GetHwnd(), SW_SHOW);
    return true;
}

void CPageHost::PlaceActivePage(const RECT& rect) const noexcept {
    if (const CPropertyPage* page = GetActivePage()) {
        ::SetWindowPos(page->GetHwnd(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace tarvel
