#pragma once

#include "widgets/CPropertyPage.h"
#include "widgets/CResizableDialog.h"
#include "widgets/UniqueHandle.h"

#include <vector>

namespace tarvel {

// A modal property sheet whose pages are listed in a tree on the left, each
// caption with its page's icon, the selected page on the right, OK and Cancel
// below; no Help and no Apply. The frame is resizable: the tree grows in
// height, the page in both directions (its controls follow their anchors),
// the buttons keep to the bottom-right corner. It opens at the size that fits
// the largest page, which is also its minimum size. The pages are owned by
// the caller and added before the sheet runs.
class CTreePropSheetEx : public CResizableDialog {
public:
    static constexpr UINT kTreeId = 0x3021;
    static constexpr char kOkText[] = "OK";
    static constexpr char kCancelText[] = "Cancel";

    explicit CTreePropSheetEx(HINSTANCE module) noexcept : CResizableDialog(module, 0) {}

    void AddPage(CPropertyPage& page);
    int GetPageCount() const noexcept { return static_cast<int>(pages_.size()); }
    CPropertyPage* GetPage(int index) const noexcept;
    int GetActiveIndex() const noexcept { return active_; }
    // False when the index is out of range or the active page refuses to be left.
    bool SetActivePage(int index);
    HWND GetTree() const noexcept { return tree_; }

    bool CreateModeless(HWND parent) noexcept override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(const Message& message, LRESULT& result) override;
    // The active page keeps its data before the sheet ends with IDOK.
    void OnOK() override;

private:
    bool CreatePages();
    bool CreateTree();
    bool CreateButtons();
    void LayOut() noexcept;
    SIZE LargestPage() const noexcept;
    LRESULT OnSetCurSel(const Message& message);
    LRESULT OnSelChanged(const Message& message);

    std::vector<CPropertyPage*> pages_;
    std::vector<HTREEITEM> items_;
    HWND tree_ = nullptr;
    UniqueImageList icons_;
    int active_ = -1;
    bool selecting_ = false;
};

}  // namespace tarvel
