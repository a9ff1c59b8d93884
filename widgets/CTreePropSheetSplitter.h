#pragma once

#include "widgets/CWindow.h"
#include "layout/SplitterLayout.h"

#include <vector>

namespace tarvel {

// A splitter window with panes side by side or one above the other. The pane
// windows may be children of the splitter or siblings of it; the splitter
// stays below its siblings so that they cover it, leaving only the bars to it.
// Dragging a bar resizes the panes live.
class CTreePropSheetSplitter : public CWindow {
public:
    enum class Orientation { SideBySide, Stacked };

    CTreePropSheetSplitter(HINSTANCE module, int paneCount, Orientation orientation, int minimumPane, int barWidth);

    bool Create(HWND parent, const RECT& rect, UINT id);

    void SetPane(int index, HWND pane);
    // A window above a pane, as high as given and that far from it; the pane
    // takes the rest of its place.
    void SetPaneHeader(int index, HWND header, int height, int spacing);
    // One proportion per pane, e.g. {30, 70}.
    void SetPaneProportions(const std::vector<int>& proportions) { layout_.SetProportions(proportions); }
    // A pane's share as a fraction of 32768.
    int GetPaneShare(int index) const noexcept { return layout_.Share(index); }
    // In the splitter's client coordinates.
    RECT GetPaneRect(int index) const;
    RECT GetBarRect(int bar) const;
    void RecalcLayout();

    bool IsDragging() const noexcept { return draggedBar_ >= 0; }

    static constexpr char kClassName[] = "Tarvel.Splitter";

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    LRESULT OnSize(const Message& message);
    LRESULT OnSetCursor(const Message& message);
    LRESULT OnLButtonDown(const Message& message);
    LRESULT OnMouseMove(const Message& message);
    LRESULT OnLButtonUp(const Message& message);
    LRESULT OnCaptureChanged(const Message& message);

    int Extent() const noexcept;
    int Along(POINT point) const noexcept;
    int BarAt(POINT point) const;
    RECT SpanRect(int offset, int size) const noexcept;
    void Redraw() const noexcept;

    HINSTANCE module_;
    Orientation orientation_;
    SplitterLayout layout_;
    struct Header {
        HWND window = nullptr;
        int height = 0;
        int spacing = 0;
    };

    std::vector<HWND> panes_;
    std::vector<Header> headers_;
    int draggedBar_ = -1;
    int grabOffset_ = 0;
};

}  // namespace tarvel
