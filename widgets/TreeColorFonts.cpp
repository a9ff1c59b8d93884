#include "widgets/TreeColorFonts.h"

#include "handles/PaintScope.h"
#include "handles/UniqueHandle.h"
#include "widgets/CTreeCtrl.h"

#include <algorithm>
#include <vector>

namespace tarvel {
namespace {

// A piece of a label and the font it is drawn in.
struct Piece {
    std::string text;
    HFONT font;
};

std::vector<Piece> SplitAtRuns(const std::string& text, const TreeColorFonts::Runs& runs, HFONT plain, HFONT bold) {
    std::vector<Piece> pieces;
    std::size_t at = 0;
    for (const auto& [begin, length] : runs) {
        if (begin < at || begin >= text.size()) {
            continue;
        }
        if (begin > at) {
            pieces.push_back({text.substr(at, begin - at), plain});
        }
        pieces.push_back({text.substr(begin, length), bold});
        at = std::min(text.size(), begin + length);
    }
    if (at < text.size()) {
        pieces.push_back({text.substr(at), plain});
    }
    return pieces;
}

// Draws the pieces one after the other from the origin, or only measures
// them without one; their width.
int DrawPieces(HDC dc, const std::vector<Piece>& pieces, const POINT* origin) {
    int width = 0;
    for (const Piece& piece : pieces) {
        ::SelectObject(dc, piece.font);
        const int length = static_cast<int>(piece.text.size());
        if (origin) {
            ::TextOutA(dc, origin->x + width, origin->y, piece.text.c_str(), length);
        }
        SIZE size{};
        ::GetTextExtentPoint32A(dc, piece.text.c_str(), length, &size);
        width += size.cx;
    }
    return width;
}

}  // namespace

TreeColorFonts::TreeColorFonts(CTreeCtrl& tree) : tree_(tree), records_(kBuckets) {}

void TreeColorFonts::SetColor(HTREEITEM item, COLORREF color) {
    records_[item].color = color;
    ::InvalidateRect(tree_, nullptr, FALSE);
}

COLORREF TreeColorFonts::GetColor(HTREEITEM item) const noexcept {
    const auto found = records_.find(item);
    return found == records_.end() ? Color_Font::kDefaultColor : found->second.color;
}

void TreeColorFonts::SetFont(HTREEITEM item, const LOGFONTA& font) {
    records_[item].logfont = font;
    ::InvalidateRect(tree_, nullptr, FALSE);
}

bool TreeColorFonts::GetFont(HTREEITEM item, LOGFONTA& font) const noexcept {
    const auto found = records_.find(item);
    if (found == records_.end() || found->second.logfont.lfFaceName[0] == '\0') {
        return false;
    }
    font = found->second.logfont;
    return true;
}

// Whoever deletes an item, its record and those of its children go with it.
LRESULT TreeColorFonts::OnDeleteItem(const Message& message, const ControlProcessing& control) {
    const auto item = reinterpret_cast<HTREEITEM>(message.lParam);
    if (item == nullptr || item == TVI_ROOT) {
        const LRESULT deleted = control(message);
        if (deleted) {
            records_.clear();
        }
        return deleted;
    }
    std::vector<HTREEITEM> gone{item};
    for (size_t i = 0; i < gone.size(); ++i) {
        for (HTREEITEM child = tree_.GetChildItem(gone[i]); child; child = tree_.GetNextSiblingItem(child)) {
            gone.push_back(child);
        }
    }
    const LRESULT deleted = control(message);
    if (deleted) {
        for (const HTREEITEM record : gone) {
            records_.erase(record);
        }
    }
    return deleted;
}

LRESULT TreeColorFonts::OnPaint(const Message& message, const ControlProcessing& control) {
    // A caller that passes its own DC (printing, a capture) gets the labels
    // there, drawn straight in.
    if (const auto given = reinterpret_cast<HDC>(message.wParam)) {
        control(message);
        DrawColoredItems(given);
        return 0;
    }
    RECT area{};
    {
        PaintScope paint(tree_);
        area = paint.area();
        const RECT client = tree_.GetClientRect();
        UniqueMemoryDC memory(::CreateCompatibleDC(paint.dc()));
        UniqueBitmap bitmap(::CreateCompatibleBitmap(paint.dc(), client.right, client.bottom));
        SelectedObject buffer(memory.get(), bitmap.get());
        if (buffer.selected()) {
            ::IntersectClipRect(memory.get(), area.left, area.top, area.right, area.bottom);
            // The control paints into a given DC when WM_PAINT carries one.
            control(Message{message.hwnd, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0});
            DrawColoredItems(memory.get());
            ::BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(),
                     area.left, area.top, SRCCOPY);
            return 0;
        }
    }
    // Without a buffer the control paints as it would on its own.
    ::InvalidateRect(tree_, &area, FALSE);
    return control(message);
}

void TreeColorFonts::DrawColoredItems(HDC dc) const {
    const bool treeHasFocus = ::GetFocus() == tree_.GetHwnd();
    const UINT limit = tree_.GetVisibleCount() + 1;
    HTREEITEM item = tree_.GetFirstVisibleItem();
    for (UINT drawn = 0; item && drawn < limit; ++drawn, item = tree_.GetNextVisibleItem(item)) {
        if (emphasis_) {
            const std::string text = tree_.GetItemText(item);
            const Runs runs = emphasis_(item, text);
            if (!runs.empty()) {
                DrawEmphasizedLabel(dc, item, text, runs, treeHasFocus);
                continue;
            }
        }
        const auto found = records_.find(item);
        if (found != records_.end() && NeedsOwnLabel(item, treeHasFocus)) {
            DrawLabel(dc, item, found->second, LabelBackground(item, treeHasFocus));
        }
    }
}

bool TreeColorFonts::NeedsOwnLabel(HTREEITEM item, bool treeHasFocus) const noexcept {
    const UINT highlighted =
        tree_.GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED) & (TVIS_SELECTED | TVIS_DROPHILITED);
    return highlighted == 0 || !treeHasFocus;
}

// The selection stays visible while the focus is elsewhere (in the fields
// of the selected entry, say), in the colour the control gives it then.
COLORREF TreeColorFonts::LabelBackground(HTREEITEM item, bool treeHasFocus) const noexcept {
    const bool shownSelected = !treeHasFocus && (tree_.GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED) != 0 &&
                               (::GetWindowLongA(tree_, GWL_STYLE) & TVS_SHOWSELALWAYS) != 0;
    return ::GetSysColor(shownSelected ? COLOR_BTNFACE : COLOR_WINDOW);
}

LOGFONTA TreeColorFonts::LabelFont(HTREEITEM item, const Color_Font* record) const {
    LOGFONTA font = record ? record->logfont : LOGFONTA{};
    if (font.lfFaceName[0] == '\0') {
        const auto treeFont = reinterpret_cast<HFONT>(tree_.Send(WM_GETFONT));
        ::GetObjectA(treeFont ? static_cast<HGDIOBJ>(treeFont) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(font),
                     &font);
    }
    if (tree_.GetItemState(item, TVIS_BOLD) & TVIS_BOLD) {
        font.lfWeight = kBoldWeight;
    }
    return font;
}

void TreeColorFonts::DrawLabel(HDC dc, HTREEITEM item, const Color_Font& record, COLORREF background) const {
    RECT label{};
    if (!tree_.GetItemRect(item, label, true)) {
        return;
    }
    const LOGFONTA font = LabelFont(item, &record);
    UniqueFont labelFont(::CreateFontIndirectA(&font));
    SelectedObject selected(dc, labelFont.get());
    ::SetTextColor(dc, record.color == Color_Font::kDefaultColor ? ::GetSysColor(COLOR_WINDOWTEXT) : record.color);
    ::SetBkColor(dc, background);
    ::SetBkMode(dc, OPAQUE);
    const std::string text = tree_.GetItemText(item);
    ::TextOutA(dc, label.left + kLabelIndentX, label.top + kLabelIndentY, text.c_str(), static_cast<int>(text.size()));
}

// Drawn on the background the control gave the label, so that a selected
// item keeps its look; the bold runs make the label wider, and the label's
// box grows with them.
void TreeColorFonts::DrawEmphasizedLabel(HDC dc, HTREEITEM item, const std::string& text, const Runs& runs,
                                         bool treeHasFocus) const {
    RECT label{};
    if (!tree_.GetItemRect(item, label, true)) {
        return;
    }
    const auto found = records_.find(item);
    const Color_Font* record = found == records_.end() ? nullptr : &found->second;
    LOGFONTA font = LabelFont(item, record);
    UniqueFont plainFont(::CreateFontIndirectA(&font));
    font.lfWeight = kBoldWeight;
    UniqueFont boldFont(::CreateFontIndirectA(&font));
    const std::vector<Piece> pieces = SplitAtRuns(text, runs, plainFont.get(), boldFont.get());
    SavedDC saved(dc);
    const bool highlighted = treeHasFocus && (tree_.GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED);
    RECT box = label;
    box.right = std::max(label.right, label.left + 2 * kLabelIndentX + DrawPieces(dc, pieces, nullptr));
    UniqueBrush background(::CreateSolidBrush(::GetPixel(dc, label.left + 1, label.top + 1)));
    ::FillRect(dc, &box, background.get());
    if (highlighted) {
        ::DrawFocusRect(dc, &box);
    }
    COLORREF color = ::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (!highlighted && record && record->color != Color_Font::kDefaultColor) {
        color = record->color;
    }
    ::SetTextColor(dc, color);
    ::SetBkMode(dc, TRANSPARENT);
    const POINT origin{label.left + kLabelIndentX, label.top + kLabelIndentY};
    DrawPieces(dc, pieces, &origin);
}

}  // namespace tarvel
