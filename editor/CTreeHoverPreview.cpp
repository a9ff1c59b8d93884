#include "editor/CTreeHoverPreview.h"

#include <commctrl.h>

#include "editor/CappedPreview.h"
#include "editor/ExpansionTree.h"
#include "handles/UniqueHandle.h"
#include "layout/BalloonPlacement.h"
#include "res/resource.h"
#include "widgets/SharedTipLook.h"
#include "tooltip/HelpTipMarkup.h"
#include "widgets/CTreeCtrlEx.h"

namespace tarvel {

namespace {

constexpr unsigned kBehaviour = kTooltipMultipleShow;
// Entries of these kinds preview their code.
constexpr int kLastPreviewedKind = 1;

}  // namespace

bool CTreeHoverPreview::Create(HWND dialog, const tarvel::CTreeCtrlEx& tree, const ExpansionTree& items,
                               HWND toolBar) {
    tree_ = &tree;
    items_ = &items;
    if (!tooltip_.Create(dialog, true))
        return false;
    tooltip_.SetBehaviour(kBehaviour);
    // The tool's text would be string 144, which the module does not have:
    // the notification supplies every text.
    tooltip_.AddTool(tree.GetHwnd(), "");
    ApplySharedTipLook(tooltip_, IDS_PREVIEW_STYLES);
    measurer_.SetCssStyles(IDS_PREVIEW_STYLES);
    if (toolBar)
        tooltip_.AddToolBar(toolBar);
    return true;
}

// Hit-tests in the tree's client coordinates, so the tree's border does not
// shift the point off the item under the mouse. No preview while an entry is
// dragged: it would cover the drop targets, and the balloon keeps a picture of
// the tree below it, which the drop and the opening of a root make stale.
void CTreeHoverPreview::ShowHoverPreview(TooltipDisplayNotify& notify) {
    if (!tree_ || !items_ || !notify.tool || notify.tool != tree_->GetHwnd() ||
        ::GetDlgCtrlID(notify.tool) != IDC_EXPANSION_TREE || tree_->IsDragging())
        return;
    POINT client = *notify.point;
    ::ScreenToClient(notify.tool, &client);
    UINT flags = 0;
    const HTREEITEM item = tree_->HitTest(client, &flags);
    if (!item || !(flags & TVHT_ONITEM))
        return;
    const AutotextEntry* entry = items_->EntryOf(item);
    const bool showsCode = entry && entry->kind >= 0 && entry->kind <= kLastPreviewedKind;
    notify.info->text =
        CodePreviewMarkup(FittedText(showsCode ? entry->code : tree_->GetItemText(item), *notify.point));

    RECT label{};
    if (!tree_->GetItemRect(item, label, true))
        return;
    POINT corner{label.left, label.top};
    ::ClientToScreen(notify.tool, &corner);
    *notify.point = {corner.x + 1, corner.y + 1};
}

std::string CTreeHoverPreview::FittedText(const std::string& code, POINT point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const tarvel::UniqueWindowDC screen(::GetDC(nullptr), nullptr);
    if (!screen || !::GetMonitorInfoA(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor))
        return code;
    const BalloonGeometry balloon = BalloonGeometry::Balloon();
    const RECT& work = monitor.rcWork;
    const SIZE room{(work.right - work.left) / 2 - 2 * balloon[kMarginX],
                    (work.bottom - work.top) / 2 - 2 * balloon[kMarginY]};
    const CappedPreview preview(
        [&](const std::string& text) { return measurer_.PrepareOutput(screen.get(), CodePreviewMarkup(text), 0); },
        room);
    return preview.Text(code);
}

}  // namespace tarvel
