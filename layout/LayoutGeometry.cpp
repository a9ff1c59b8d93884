#include "layout/LayoutGeometry.h"

namespace tarvel {
namespace {

long CenteredStart(long start, long extent, long size) noexcept {
    return size >= extent ? start : start + (extent - size) / 2;
}

// The start of an extent of size moved inside [low, high).
long Inside(long start, long size, long low, long high) noexcept {
    return start + size > high ? (high - size > low ? high - size : low) : (start < low ? low : start);
}

}  // namespace

LayoutRect CenterOver(const LayoutRect& area, long width, long height) noexcept {
    const long left = CenteredStart(area.left, area.Width(), width);
    const long top = CenteredStart(area.top, area.Height(), height);
    return LayoutRect{left, top, left + width, top + height};
}

LayoutRect OntoWorkArea(const LayoutRect& window, const LayoutRect& from, const LayoutRect& to,
                        LayoutSize minimum) noexcept {
    const long width = window.Width() > minimum.cx ? window.Width() : minimum.cx;
    const long height = window.Height() > minimum.cy ? window.Height() : minimum.cy;
    const long left = Inside(window.left - from.left + to.left, width, to.left, to.right);
    const long top = Inside(window.top - from.top + to.top, height, to.top, to.bottom);
    return LayoutRect{left, top, left + width, top + height};
}

}  // namespace tarvel
