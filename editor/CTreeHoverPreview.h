#pragma once

#include <windows.h>

#include "tooltip/CPPHtmlDrawer.h"
#include "widgets/CPPToolTip.h"

#include <string>

namespace tarvel {

class ExpansionTree;
class CTreeCtrlEx;

// The expansion tree's tooltip: resting the mouse on an entry shows its
// code, on a language root its label; it also serves the toolbar's tips.
// A preview takes at most half the work area each way, so that the dialog
// and the pointer stay in sight.
class CTreeHoverPreview {
public:
    // Set up over the dialog's tree and toolbar; false when the window could
    // not be made (the editor then works without previews).
    bool Create(HWND dialog, const tarvel::CTreeCtrlEx& tree, const ExpansionTree& items, HWND toolBar);
    void Destroy() { tooltip_.DestroyWindow(); }
    void Relay(const MSG& message) { tooltip_.RelayEvent(message); }

    // The answer to the tooltip's display notification: the preview of the
    // item under the point, which then points at the item's label.
    void ShowHoverPreview(TooltipDisplayNotify& notify);

private:
    // The text to show for the code on the monitor of the point.
    std::string FittedText(const std::string& code, POINT point);

    CPPToolTip tooltip_;
    // Measures previews as the tooltip will draw them.
    CPPHtmlDrawer measurer_;
    const tarvel::CTreeCtrlEx* tree_ = nullptr;
    const ExpansionTree* items_ = nullptr;
};

}  // namespace tarvel
