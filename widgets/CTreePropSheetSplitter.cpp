#include "widgets/CTreePropSheetSplitter.h"

#include "widgets/WindowMoves.h"

namespace tarvel {

CTreePropSheetSplitter::CTreePropSheetSplitter(HINSTANCE module, int paneCount, Orientation orientation,
                                               int minimumPane, int barWidth)
    : module_(module),
      orientation_(orientation),
      layout_(paneCount, minimumPane, barWidth),
      panes_(static_cast<size_t>(layout_.PaneCount()), nullptr),
      headers_(panes_.size()) {}

bool CTreePropSheetSplitter::Create(HWND parent, const RECT& rect, UINT id) {
    if (!RegisterClassOnce(module_, kClassName, CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) ||
        !CreateEx(module_, 0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, parent,
                  id)) {
        return false;
    }
    ::SetWindowPos(GetHwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void CTreePropSheetSplitter::SetPane(int index, HWND pane) {
    if (index >= 0 && index < layout_.PaneCount()) {
        panes_[static_cast<size_t>(index)] = pane;
    }
}

void CTreePropSheetSplitter::SetPaneHeader(int index, HWND header, int height, int spacing) {
    if (index >= 0 && index < layout_.PaneCount()) {
        headers_[static_cast<size_t>(index)] = {header, height, spacing};
    }
}

RECT CTreePropSheetSplitter::SpanRect(int offset, int size) const noexcept {
    const RECT client = GetClientRect();
    if (orientation_ == Orientation::SideBySide) {
        return RECT{offset, 0, offset + size, client.bottom};
    }
    return RECT{0, offset, client.right, offset + size};
}

RECT CTreePropSheetSplitter::GetPaneRect(int index) const {
    const std::vector<int> sizes = layout_.PaneSizes(Extent());
    const std::vector<int> offsets = layout_.PaneOffsets(sizes);
    return SpanRect(offsets[static_cast<size_t>(index)], sizes[static_cast<size_t>(index)]);
}

RECT CTreePropSheetSplitter::GetBarRect(int bar) const {
    const RECT pane = GetPaneRect(bar);
    const int end = orientation_ == Orientation::SideBySide ? pane.right : pane.bottom;
    return SpanRect(end, layout_.BarWidth());
}

// The panes move in one pass, like the controls of a resizable dialog, and
// are redrawn once with the bars.
void CTreePropSheetSplitter::RecalcLayout() {
    std::vector<WindowMove> moves;
    for (int i = 0; i < layout_.PaneCount(); ++i) {
        HWND pane = panes_[static_cast<size_t>(i)];
        if (!pane) {
            continue;
        }
        RECT rect = GetPaneRect(i);
        ::MapWindowPoints(GetHwnd(), ::GetParent(pane), reinterpret_cast<POINT*>(&rect), 2);
        const Header& header = headers_[static_cast<size_t>(i)];
        if (header.window) {
            moves.push_back({header.window, RECT{rect.left, rect.top, rect.right, rect.top + header.height}});
            rect.top += header.height + header.spacing;
        }
        moves.push_back({pane, rect});
    }
    MoveWindowsTogether(moves);
    Redraw();
}

// Panes that are siblings of the splitter are not among its children. The
// panes moved without redrawing, so their sunken edges are drawn again too:
// else a pane's edge keeps the pixels of the pane that stood there before.
void CTreePropSheetSplitter::Redraw() const noexcept {
    constexpr UINT kFlags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    if (!GetHwnd()) {
        return;
    }
    ::RedrawWindow(GetHwnd(), nullptr, nullptr, kFlags);
    std::vector<HWND> windows = panes_;
    for (const Header& header : headers_) {
        windows.push_back(header.window);
    }
    for (HWND window : windows) {
        if (window && ::GetParent(window) != GetHwnd()) {
            ::RedrawWindow(window, nullptr, nullptr, kFlags);
        }
    }
}

int CTreePropSheetSplitter::Extent() const noexcept {
    const RECT client = GetClientRect();
    return orientation_ == Orientation::SideBySide ? client.right : client.bottom;
}

int CTreePropSheetSplitter::Along(POINT point) const noexcept {
    return orientation_ == Orientation::SideBySide ? point.x : point.y;
}

int CTreePropSheetSplitter::BarAt(POINT point) const {
    for (int bar = 0; bar < layout_.PaneCount() - 1; ++bar) {
        const RECT rect = GetBarRect(bar);
        if (::PtInRect(&rect, point)) {
            return bar;
        }
    }
    return -1;
}

bool CTreePropSheetSplitter::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CTreePropSheetSplitter> map =
        MessageMap<CTreePropSheetSplitter>()
            .OnMessage(WM_SIZE, &CTreePropSheetSplitter::OnSize)
            .OnMessage(WM_SETCURSOR, &CTreePropSheetSplitter::OnSetCursor)
            .OnMessage(WM_LBUTTONDOWN, &CTreePropSheetSplitter::OnLButtonDown)
            .OnMessage(WM_MOUSEMOVE, &CTreePropSheetSplitter::OnMouseMove)
            .OnMessage(WM_LBUTTONUP, &CTreePropSheetSplitter::OnLButtonUp)
            .OnMessage(WM_CAPTURECHANGED, &CTreePropSheetSplitter::OnCaptureChanged);
    return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
}

LRESULT CTreePropSheetSplitter::OnSize(const Message&) {
    RecalcLayout();
    return 0;
}

LRESULT CTreePropSheetSplitter::OnSetCursor(const Message& message) {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(GetHwnd(), &point);
    if (LOWORD(message.lParam) != HTCLIENT || (!IsDragging() && BarAt(point) < 0)) {
        return Default(message);
    }
    ::SetCursor(::LoadCursor(nullptr, orientation_ == Orientation::SideBySide ? IDC_SIZEWE : IDC_SIZENS));
    return TRUE;
}

LRESULT CTreePropSheetSplitter::OnLButtonDown(const Message& message) {
    const POINT point = message.Point();
    draggedBar_ = BarAt(point);
    if (draggedBar_ >= 0) {
        const RECT bar = GetBarRect(draggedBar_);
        grabOffset_ = Along(point) - (orientation_ == Orientation::SideBySide ? bar.left : bar.top);
        ::SetCapture(GetHwnd());
    }
    return 0;
}

LRESULT CTreePropSheetSplitter::OnMouseMove(const Message& message) {
    if (IsDragging()) {
        layout_.MoveBar(draggedBar_, Along(message.Point()) - grabOffset_, Extent());
        RecalcLayout();
    }
    return 0;
}

LRESULT CTreePropSheetSplitter::OnLButtonUp(const Message& message) {
    if (IsDragging()) {
        OnMouseMove(message);
        draggedBar_ = -1;
        ::ReleaseCapture();
    }
    return 0;
}

LRESULT CTreePropSheetSplitter::OnCaptureChanged(const Message&) {
    draggedBar_ = -1;
    return 0;
}

}  // namespace tarvel
