#pragma once

#include "layout/LayoutGeometry.h"

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

// Where an anchored rectangle goes in a client area of a given size: the
// distances to its anchor points, measured once, kept as the client changes.
struct AnchorPlacement {
    Anchor topLeft;
    Anchor bottomRight;
    LayoutRect margins;  // distances to the anchor points, or the size when no bottom-right anchor

    static AnchorPlacement Measure(const LayoutRect& rect, LayoutSize client, Anchor topLeft,
                                   Anchor bottomRight) noexcept;
    LayoutRect Place(LayoutSize client) const noexcept;
};

}  // namespace tarvel
