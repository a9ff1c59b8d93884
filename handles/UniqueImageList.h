#pragma once

#include "handles/UniqueHandle.h"

#include <commctrl.h>

namespace tarvel {

namespace handle_policy {
inline void DestroyImageList(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); }
}  // namespace handle_policy

// Apart from the other owners: image lists are the common controls' and
// bring their header along.
using UniqueImageList =
    UniqueHandle<handle_policy::Simple<HIMAGELIST, void (*)(HIMAGELIST) noexcept, handle_policy::DestroyImageList>>;

}  // namespace tarvel
