#pragma once

#include "widgets/Color_Font.h"
#include "widgets/Message.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarvel {

class CTreeCtrl;

// The per-item label colours and fonts of a tree: the map, and the paint
// that lets the control draw itself into a memory bitmap and then draws the
// labels that have a record over it. A record stays until it is replaced or
// its item is deleted (the control hands a deleted item's handle to later
// items). Runs of a label can be drawn in bold as well, such as the text a
// search matched.
class TreeColorFonts {
public:
    explicit TreeColorFonts(CTreeCtrl& tree);

    void SetColor(HTREEITEM item, COLORREF color);
    COLORREF GetColor(HTREEITEM item) const noexcept;
    void SetFont(HTREEITEM item, const LOGFONTA& font);
    bool GetFont(HTREEITEM item, LOGFONTA& font) const noexcept;
    bool Has(HTREEITEM item) const noexcept { return records_.count(item) != 0; }
    void Clear() noexcept { records_.clear(); }

    // Runs of a label as begin and length in bytes, in order.
    using Runs = std::vector<std::pair<std::size_t, std::size_t>>;
    // The runs of an item's label to draw in bold; none by default.
    using Emphasis = std::function<Runs(HTREEITEM item, const std::string& label)>;
    void SetEmphasis(Emphasis emphasis) { emphasis_ = std::move(emphasis); }

    // The control's own processing of a message.
    using ControlProcessing = std::function<LRESULT(const Message&)>;
    // The tree's handlers of TVM_DELETEITEM and WM_PAINT.
    LRESULT OnDeleteItem(const Message& message, const ControlProcessing& control);
    LRESULT OnPaint(const Message& message, const ControlProcessing& control);

private:
    static constexpr size_t kBuckets = 17;
    static constexpr int kLabelIndentX = 2;
    static constexpr int kLabelIndentY = 1;
    static constexpr LONG kBoldWeight = 700;

    void DrawColoredItems(HDC dc) const;
    bool NeedsOwnLabel(HTREEITEM item, bool treeHasFocus) const noexcept;
    COLORREF LabelBackground(HTREEITEM item, bool treeHasFocus) const noexcept;
    void DrawLabel(HDC dc, HTREEITEM item, const Color_Font& record, COLORREF background) const;
    void DrawEmphasizedLabel(HDC dc, HTREEITEM item, const std::string& text, const Runs& runs,
                             bool treeHasFocus) const;
    LOGFONTA LabelFont(HTREEITEM item, const Color_Font* record) const;

    CTreeCtrl& tree_;
    std::unordered_map<HTREEITEM, Color_Font> records_;
    Emphasis emphasis_;
};

}  // namespace tarvel
