#pragma once

#include "widgets/CPageHost.h"
#include "widgets/CResizableDialog.h"

#include <vector>

namespace tarvel {

// A modal property sheet whose pages are listed in a tree on the left, each
// caption with its page's icon, the active page on the right, OK and Cancel
// below; no Help and no Apply. The frame is resizable: the tree grows in
// height, the page in both directions (its controls follow their anchors),
// the buttons keep to the bottom-right corner. It opens at the size that fits
// the largest page, which is also its minimum size. The pages live in a page
// host; they are owned by the caller and added before the sheet runs.
class CTreePropSheetEx : public CResizableDialog {
public:
    static constexpr UINT kTreeId = 0x3021;
    static constexpr char kOkText[] = "OK";
    static constexpr char kCancelText[] = "Cancel";

    explicit CTreePropSheetEx(HINSTANCE module) noexcept : CResizableDialog(module, 0), pages_(module) {}

    void AddPage(CPropertyPage& page) { pages_.AddPage(page); }
    int GetPageCount() const noexcept { return pages_.GetPageCount(); }
    CPropertyPage* GetPage(int index) const noexcept { return pages_.GetPage(index); }
    int GetActiveIndex() const noexcept { return pages_.GetActiveIndex(); }
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
    // The layout's measures in pixels, from dialog units of the sheet's font.
    struct Measures {
        int margin = 0;
        int gap = 0;
        int treeWidth = 0;
        SIZE button{0, 0};
    };

    bool CreateTree();
    bool AddTreeItems();
    bool CreateButtons();
    void LayOut() noexcept;
    void CenterOverOwner(SIZE windowSize) noexcept;
    SIZE LargestPage() const noexcept;
    RECT PageRect() const noexcept;
    void OnSize(UINT kind, SIZE size);
    LRESULT OnSetCurSel(const Message& message);
    LRESULT OnSelChanged(const Message& message);

    CPageHost pages_;
    Measures measures_;
    std::vector<HTREEITEM> items_;
    HWND tree_ = nullptr;
    bool selecting_ = false;
};

}  // namespace tarvel
