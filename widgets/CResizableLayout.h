#pragma once

#include <windows.h>

#include <vector>

namespace tarvel {

// An anchor point in percent of the container's client area (0..100 each way).
struct Anchor {
    int x;
    int y;
    bool IsNone() const noexcept { return x < 0; }
};

constexpr Anchor TOP_LEFT{0, 0};
constexpr Anchor TOP_RIGHT{100, 0};
constexpr Anchor BOTTOM_LEFT{0, 100};
constexpr Anchor BOTTOM_RIGHT{100, 100};
// As the bottom-right anchor: the control keeps its size.
constexpr Anchor NOANCHOR{-1, -1};

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

    // Where an anchored rectangle goes in a client area of the given size.
    struct Placement {
        Anchor topLeft;
        Anchor bottomRight;
        RECT margins;  // distances to the anchor points, or the size when no bottom-right anchor
    };
    static Placement Measure(const RECT& rect, SIZE client, Anchor topLeft, Anchor bottomRight) noexcept;
    static RECT Place(const Placement& placement, SIZE client) noexcept;

private:
    struct Item {
        HWND control;
        Placement placement;
    };

    SIZE ClientSize() const noexcept;

    HWND container_ = nullptr;
    std::vector<Item> items_;
};

}  // namespace tarvel
