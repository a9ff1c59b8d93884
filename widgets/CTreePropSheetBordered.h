#pragma once

#include "widgets/CPageHost.h"
#include "widgets/CWindow.h"

namespace tarvel {

// A page frame in the manner of a property sheet with its page tree switched
// off: a tab strip labelled with the page captions and icons and the active
// page inside it, placed as a child window anywhere in a dialog. The pages
// live in a page host; they are owned by the caller and must outlive the
// frame's window.
class CTreePropSheetBordered : public CWindow {
public:
    explicit CTreePropSheetBordered(HINSTANCE module) noexcept : module_(module), pages_(module) {}

    // Pages are added before Create.
    void AddPage(CPropertyPage& page) { pages_.AddPage(page); }
    bool Create(HWND parent, DWORD style, DWORD exStyle, const RECT& rect, UINT id);

    int GetPageCount() const noexcept { return pages_.GetPageCount(); }
    CPropertyPage* GetPage(int index) const noexcept { return pages_.GetPage(index); }
    int GetActiveIndex() const noexcept { return pages_.GetActiveIndex(); }
    CPropertyPage* GetActivePage() const noexcept { return pages_.GetActivePage(); }
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
    bool AddTab(int index);

    HINSTANCE module_;
    CPageHost pages_;
    HWND tab_ = nullptr;
};

}  // namespace tarvel
