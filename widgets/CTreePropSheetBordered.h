#pragma once

#include "widgets/CPropertyPage.h"
#include "widgets/CWindow.h"

#include <vector>

namespace tarvel {

// A page frame in the manner of a property sheet with its page tree switched
// off: a tab strip labelled with the page captions and the active page inside
// it, placed as a child window anywhere in a dialog. The pages are owned by
// the caller and must outlive the frame's window.
class CTreePropSheetBordered : public CWindow {
public:
    explicit CTreePropSheetBordered(HINSTANCE module) noexcept : module_(module) {}

    // Pages are added before Create.
    void AddPage(CPropertyPage& page);
    bool Create(HWND parent, DWORD style, DWORD exStyle, const RECT& rect, UINT id);

    int GetPageCount() const noexcept { return static_cast<int>(pages_.size()); }
    CPropertyPage* GetPage(int index) const noexcept;
    int GetActiveIndex() const noexcept { return active_; }
    CPropertyPage* GetActivePage() const noexcept { return GetPage(active_); }
    // False when the index is out of range or a page refuses to be left.
    bool SetActivePage(int index);
    HWND GetTabControl() const noexcept { return tab_; }
    // Client rectangle of the frame that the active page fills.
    RECT GetPageRect() const noexcept;

    static constexpr char kClassName[] = "Tarvel.PageFrame";

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    LRESULT OnSize(const Message& message);
    LRESULT OnTabChange(const Message& message);
    void PlaceActivePage() const noexcept;

    HINSTANCE module_;
    std::vector<CPropertyPage*> pages_;
    HWND tab_ = nullptr;
    int active_ = -1;
};

}  // namespace tarvel
