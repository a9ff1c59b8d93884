#pragma once

#include "handles/UniqueImageList.h"
#include "widgets/CPropertyPage.h"

#include <vector>

namespace tarvel {

// The pages of a frame or a sheet, whatever shows their captions (a tab
// strip, a page tree): the page list, their creation as hidden children of
// one window, the active page, activation that lets the page being left
// exchange its data into its members first, and the pages' icons in one
// image list for the captions. The pages are owned by the caller and must
// outlive the host's window.
class CPageHost {
public:
    static constexpr int kNoIcon = -1;

    explicit CPageHost(HINSTANCE module) noexcept : module_(module) {}

    void AddPage(CPropertyPage& page);
    // Creates every page hidden as a child of parent and collects the icons.
    bool CreatePages(HWND parent);

    int GetPageCount() const noexcept { return static_cast<int>(pages_.size()); }
    CPropertyPage* GetPage(int index) const noexcept;
    int GetActiveIndex() const noexcept { return active_; }
    CPropertyPage* GetActivePage() const noexcept { return GetPage(active_); }
    // Shows page index in rect; false when the index is out of range or the
    // page being left keeps the focus (its data did not validate).
    bool Activate(int index, const RECT& rect);
    void PlaceActivePage(const RECT& rect) const noexcept;

    // Small icons of the pages in page order; null when no page has one.
    HIMAGELIST Icons() const noexcept { return icons_.get(); }
    int IconIndex(int page) const noexcept;

private:
    void AddIcon(const CPropertyPage& page);

    HINSTANCE module_;
    std::vector<CPropertyPage*> pages_;
    std::vector<int> iconIndexes_;
    UniqueImageList icons_;
    int active_ = -1;
};

}  // namespace tarvel
