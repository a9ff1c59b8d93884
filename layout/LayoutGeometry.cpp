#include "layout/LayoutGeometry.h"

namespace tarvel {
namespace {

long CentredStart(long start, long extent, long size) noexcept {
    return size >= extent ? start : start + (extent - size) / 2;
}

}  // namespace

LayoutRect CenterOver(const LayoutRect& area, long width, long height) noexcept {
    const long left = CentredStart(area.left, area.Width(), width);
    const long top = CentredStart(area.top, area.Height(), height);
    return LayoutRect{left, top, left + width, top + height};
}

}  // namespace tarvel
