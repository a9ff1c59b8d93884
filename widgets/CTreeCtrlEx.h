#pragma once

#include "widgets/CTreeCtrl.h"
#include "widgets/CTreeDragController.h"
#include "widgets/TreeColorFonts.h"

namespace tarvel {

// The tree view of a dialog made of three parts: the typed tree operations
// it inherits, per-item label colours and fonts drawn over the control's own
// painting, and a drag controller that works once a drag site is set.
// Attach it to the dialog's control with data exchange.
class CTreeCtrlEx : public CTreeCtrl {
public:
    CTreeCtrlEx();

    // A label keeps its colour without a repaint of the tree: every keystroke
    // in an entry marks it again, and the tree's paint costs more than the key.
    void SetItemColor(HTREEITEM item, COLORREF color) {
        if (!colorFonts_.Has(item) || colorFonts_.GetColor(item) != color)
            colorFonts_.SetColor(item, color);
    }
    COLORREF GetItemColor(HTREEITEM item) const noexcept { return colorFonts_.GetColor(item); }
    void SetItemFont(HTREEITEM item, const LOGFONTA& font) { colorFonts_.SetFont(item, font); }
    bool GetItemFont(HTREEITEM item, LOGFONTA& font) const noexcept { return colorFonts_.GetFont(item, font); }
    bool HasColorFont(HTREEITEM item) const noexcept { return colorFonts_.Has(item); }
    // Which runs of a label are drawn in bold.
    void SetLabelEmphasis(TreeColorFonts::Emphasis emphasis) { colorFonts_.SetEmphasis(std::move(emphasis)); }

    // Null (the default) starts no drag.
    void SetDragSite(ITreeDragSite* site) noexcept { drag_.SetSite(site); }
    bool IsDragging() const noexcept { return drag_.IsDragging(); }

    static constexpr UINT_PTR kScrollTimer = CTreeDragController::kScrollTimer;
    static constexpr UINT_PTR kHoverTimer = CTreeDragController::kHoverTimer;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;
    void OnFinalMessage() noexcept override;

private:
    LRESULT OnDeleteItem(const Message& message);
    LRESULT OnPaint(const Message& message);

    TreeColorFonts colorFonts_;
    CTreeDragController drag_;
};

}  // namespace tarvel
