#pragma once

// Where a balloon tooltip goes: its window rectangle on the screen and the
// arrow that points from its edge at the mouse. Portable arithmetic, so every
// edge and monitor case is tested without a screen.

#include "layout/LayoutGeometry.h"

namespace tarvel {

struct BalloonPoint {
    int x = 0;
    int y = 0;
    bool operator==(const BalloonPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const BalloonPoint& o) const { return !(*this == o); }
};

// The nine geometry values, by the index their setter takes.
enum BalloonGeometryIndex {
    kCornerWidth = 0,
    kCornerHeight,
    kMarginX,
    kMarginY,
    kAnchorWidth,
    kAnchorHeight,
    kAnchorOffset,
    kGeometryReserved1,
    kGeometryReserved2,
    kGeometryCount
};

struct BalloonGeometry {
    // Larger corners, margins or arrows than any screen would only overflow
    // the placement's sums.
    static constexpr int kMaxValue = 4096;

    int values[kGeometryCount] = {};
    int operator[](int index) const { return values[index]; }
    // Kept within 0..kMaxValue; an unknown index changes nothing.
    void Set(int index, int value);
    bool HasAnchor() const { return values[kAnchorWidth] != 0 && values[kAnchorHeight] != 0; }

    static BalloonGeometry Balloon() { return {{16, 16, 12, 12, 12, 16, 16, 0, 0}}; }
    static BalloonGeometry Rectangle() { return {{0, 0, 3, 1, 0, 0, 0, 0, 0}}; }
};

// Direction: the side of the balloon carrying the arrow in the high part,
// its place on that side in the low part.
enum BalloonSide { kSideTop = 0x00, kSideBottom = 0x10, kSideLeft = 0x20, kSideRight = 0x30 };
enum BalloonPlace { kPlaceStart = 0, kPlaceEnd = 1, kPlaceMiddle = 2 };

struct BalloonLayout {
    int direction = kSideBottom;  // after the flips
    LayoutRect window;           // screen coordinates, arrow included
    LayoutRect body;             // the rounded part, window coordinates
    // The arrow's triangle in window coordinates: tip, then its base on the edge.
    BalloonPoint arrow[3];
};

// The largest body (text plus margins) that, with the arrow, fits into the
// work area of the monitor the balloon appears on.
int MaxBodyWidth(const BalloonGeometry& geometry, const LayoutRect& workArea, int direction);
int MaxBodyHeight(const BalloonGeometry& geometry, const LayoutRect& workArea, int direction);

// Places a body of `body` size so that the arrow's tip is at `point`, by the
// direction, flipped and slid to stay inside `screen` (the virtual screen).
BalloonLayout PlaceBalloon(int bodyWidth, int bodyHeight, const BalloonGeometry& geometry, int direction,
                           BalloonPoint point, const LayoutRect& screen);

}  // namespace tarvel
