#pragma once

#include <windows.h>

namespace tarvel {

class CPPToolTip;

// The look the module's balloons share (the tree's previews and the title
// page's help tips): white to blue-grey soft-bump background and border,
// below the mouse, half a second to show, thirty to hide, soft shadows.
// Only the style sheet differs between them.
void ApplySharedTipLook(CPPToolTip& tips, UINT styleSheet);

}  // namespace tarvel
