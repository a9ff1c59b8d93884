#pragma once

#include <windows.h>

#include "tooltip/CPPToolTip.h"

class ExpansionTree;
namespace tarvel {
class CTreeCtrlEx;
}

// The expansion tree's tooltip: resting the mouse on an entry shows its
// code, on a language root its label; it also serves the toolbar's tips.
class CTreeHoverPreview {
public:
    // Set up over the dialog's tree and toolbar; false when the window could
    // not be made (the editor then works without previews).
    bool Create(HWND dialog, const tarvel::CTreeCtrlEx& tree, const ExpansionTree& items, HWND toolBar);
    void Destroy() { tooltip_.DestroyWindow(); }
    void Relay(const MSG& message) { tooltip_.RelayEvent(message); }

    // The answer to the tooltip's display notification: the preview of the
    // item under the point, which then points at the item's label.
    void ShowHoverPreview(TooltipDisplayNotify& notify) const;

private:
    CPPToolTip tooltip_;
    const tarvel::CTreeCtrlEx* tree_ = nullptr;
    const ExpansionTree* items_ = nullptr;
};
