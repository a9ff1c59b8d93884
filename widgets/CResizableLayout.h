#pragma once

#include "layout/AnchorLayout.h"

#include <windows.h>

#include <vector>

namespace tarvel {

// Keeps each control at fixed distances from its anchor points as the
// container's client area changes size.
class CResizableLayout {
public:
    void SetContainer(HWND container) noexcept { container_ = container; }

    // Records the control's place as it is now; false for a missing control.
    bool AddAnchor(HWND control, Anchor topLeft, Anchor bottomRight = NOANCHOR);
    bool AddAnchor(int controlId, Anchor topLeft, Anchor bottomRight = NOANCHOR);
    void RemoveAnchor(HWND control);
    void ArrangeLayout() const noexcept;

private:
    struct Item {
        HWND control;
        AnchorPlacement placement;
    };

    SIZE ClientSize() const noexcept;

    HWND container_ = nullptr;
    std::vector<Item> items_;
};

}  // namespace tarvel
