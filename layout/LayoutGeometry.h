#pragma once

namespace tarvel {

// Rectangles and sizes of the layout arithmetic, free of the platform's
// types so that the arithmetic builds and is tested everywhere.
struct LayoutRect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;

    long Width() const noexcept { return right - left; }
    long Height() const noexcept { return bottom - top; }
    bool operator==(const LayoutRect& o) const noexcept {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const LayoutRect& o) const noexcept { return !(*this == o); }
};

struct LayoutSize {
    long cx = 0;
    long cy = 0;
};

// A rectangle of the given size centred over area; where it is larger than
// the area it starts at the area's left or top edge, so that its caption
// stays reachable.
LayoutRect CenterOver(const LayoutRect& area, long width, long height) noexcept;

// A window kept on another monitor, brought onto the work area to: at the
// same place relative to its work area, at least the minimum size, moved in
// so that it lies inside (its left or top edge first where it is larger).
LayoutRect OntoWorkArea(const LayoutRect& window, const LayoutRect& from, const LayoutRect& to,
                        LayoutSize minimum) noexcept;

}  // namespace tarvel
