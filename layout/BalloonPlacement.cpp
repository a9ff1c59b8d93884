#include "layout/BalloonPlacement.h"

#include <algorithm>

namespace tarvel {

namespace {

// One axis of the screen: [low, high).
struct Span {
    int low;
    int high;
};

bool Vertical(int side) { return side == kSideTop || side == kSideBottom; }
// The arrow's side lies before the body on the axis across it (top, left).
bool ArrowFirst(int side) { return side == kSideTop || side == kSideLeft; }

int TipOffset(int place, int length, int offset) {
    // A body narrower than twice the offset keeps its arrow over it.
    offset = std::clamp(offset, 0, length / 2);
    switch (place) {
        case kPlaceEnd:
            return length - offset;
        case kPlaceMiddle:
            return length / 2;
        default:
            return offset;
    }
}

// The place of the arrow along its side: moved to the other end or the
// middle when the body would leave the screen.
int PlaceAlong(int place, int point, int length, int offset, Span screen) {
    auto start = [&](int p) { return point - TipOffset(p, length, offset); };
    auto crossesHigh = [&](int p) { return start(p) + length > screen.high; };
    auto crossesLow = [&](int p) { return start(p) < screen.low; };
    if (place == kPlaceStart && crossesHigh(kPlaceStart))
        return crossesLow(kPlaceEnd) ? kPlaceMiddle : kPlaceEnd;
    if (place == kPlaceEnd && crossesLow(kPlaceEnd))
        return crossesHigh(kPlaceStart) ? kPlaceMiddle : kPlaceStart;
    if (place == kPlaceMiddle) {
        if (point - screen.low < offset)
            return kPlaceStart;
        if (screen.high - point < offset)
            return kPlaceEnd;
    }
    return place;
}

// Slides a run of `length` into the span as far as it can go.
int SlideInto(int start, int length, Span screen) {
    return std::max(screen.low, std::min(start, screen.high - length));
}

int FlipAcross(int side, int point, int extent, Span screen) {
    if (ArrowFirst(side) && point + extent > screen.high)
        return side == kSideTop ? kSideBottom : kSideRight;
    if (!ArrowFirst(side) && point - extent < screen.low)
        return side == kSideBottom ? kSideTop : kSideLeft;
    return side;
}

struct AxisLayout {
    int windowStart;  // along the side
    int tip;          // the arrow's tip, from the window's start along the side
    int baseFrom;
    int baseTo;
};

AxisLayout LayOutAlong(int place, int point, int length, int anchorWidth, int offset, Span screen) {
    AxisLayout axis{};
    axis.windowStart = SlideInto(point - TipOffset(place, length, offset), length, screen);
    axis.tip = std::clamp(point - axis.windowStart, 0, length);
    if (place == kPlaceEnd)
        axis.baseFrom = axis.tip - anchorWidth;
    else if (place == kPlaceMiddle)
        axis.baseFrom = axis.tip - anchorWidth / 2;
    else
        axis.baseFrom = axis.tip;
    axis.baseFrom = std::clamp(axis.baseFrom, 0, std::max(0, length - anchorWidth));
    axis.baseTo = std::min(length, axis.baseFrom + anchorWidth);
    return axis;
}

BalloonPoint Make(bool vertical, int along, int across) {
    return vertical ? BalloonPoint{along, across} : BalloonPoint{across, along};
}

}  // namespace

void BalloonGeometry::Set(int index, int value) {
    if (index >= 0 && index < kGeometryCount)
        values[index] = std::clamp(value, 0, kMaxValue);
}

int MaxBodyWidth(const BalloonGeometry& geometry, const LayoutRect& workArea, int direction) {
    const int anchor = Vertical(direction & 0xF0) ? 0 : geometry[kAnchorHeight];
    return std::max(0, static_cast<int>(workArea.Width()) - anchor);
}

int MaxBodyHeight(const BalloonGeometry& geometry, const LayoutRect& workArea, int direction) {
    const int anchor = Vertical(direction & 0xF0) ? geometry[kAnchorHeight] : 0;
    return std::max(0, static_cast<int>(workArea.Height()) - anchor);
}

BalloonLayout PlaceBalloon(int bodyWidth, int bodyHeight, const BalloonGeometry& geometry, int direction,
                           BalloonPoint point, const LayoutRect& screen) {
    int side = direction & 0xF0;
    int place = direction & 0x0F;
    if (side > kSideRight)
        side = kSideBottom;
    if (place > kPlaceMiddle)
        place = kPlaceStart;
    const bool vertical = Vertical(side);
    const int anchorHeight = geometry.HasAnchor() ? geometry[kAnchorHeight] : 0;
    const int anchorWidth = geometry.HasAnchor() ? geometry[kAnchorWidth] : 0;
    const int length = vertical ? bodyWidth : bodyHeight;
    const int depth = vertical ? bodyHeight : bodyWidth;
    const Span xSpan{static_cast<int>(screen.left), static_cast<int>(screen.right)};
    const Span ySpan{static_cast<int>(screen.top), static_cast<int>(screen.bottom)};
    const Span along = vertical ? xSpan : ySpan;
    const Span across = vertical ? ySpan : xSpan;
    const int pointAlong = vertical ? point.x : point.y;
    const int pointAcross = vertical ? point.y : point.x;

    place = PlaceAlong(place, pointAlong, length, geometry[kAnchorOffset], along);
    side = FlipAcross(side, pointAcross, depth + anchorHeight, across);
    const AxisLayout axis = LayOutAlong(place, pointAlong, length, anchorWidth, geometry[kAnchorOffset], along);

    const int extent = depth + anchorHeight;
    const bool arrowFirst = ArrowFirst(side);
    const int acrossStart = SlideInto(arrowFirst ? pointAcross : pointAcross - extent, extent, across);
    const int bodyFrom = arrowFirst ? anchorHeight : 0;
    const int edge = arrowFirst ? anchorHeight : depth;
    const int tipAcross = std::clamp(pointAcross - acrossStart, 0, extent);

    BalloonLayout layout;
    layout.direction = side | place;
    const BalloonPoint origin = Make(vertical, axis.windowStart, acrossStart);
    const BalloonPoint size = Make(vertical, length, extent);
    layout.window = {origin.x, origin.y, origin.x + size.x, origin.y + size.y};
    const BalloonPoint bodyStart = Make(vertical, 0, bodyFrom);
    const BalloonPoint bodyEnd = Make(vertical, length, bodyFrom + depth);
    layout.body = {bodyStart.x, bodyStart.y, bodyEnd.x, bodyEnd.y};
    layout.arrow[0] = Make(vertical, axis.tip, tipAcross);
    layout.arrow[1] = Make(vertical, axis.baseFrom, edge);
    layout.arrow[2] = Make(vertical, axis.baseTo, edge);
    return layout;
}

}  // namespace tarvel
