#pragma once

// What the floors' bare tree controls share with the editor's tree: its
// styles, its image strip from the module's resources and the images of a
// root and of an entry.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

namespace tarvel::bench {

constexpr DWORD kBareTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                 TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS;
constexpr int kEntryImage = 0;
constexpr int kSelectedEntryImage = 1;
constexpr int kRootImage = 4;

// The tree's images as the module loads them; the caller destroys them.
inline HIMAGELIST LoadTreeImages(HMODULE module) {
    constexpr int kImageWidth = 16;
    constexpr COLORREF kMask = RGB(0, 255, 0);
    return ImageList_LoadImageA(module, MAKEINTRESOURCEA(IDB_TREE_IMAGES), kImageWidth, 1, kMask, IMAGE_BITMAP,
                                LR_CREATEDIBSECTION);
}

// An item with its label, images and data, appended under the parent.
inline HTREEITEM AppendItem(HWND tree, HTREEITEM parent, const char* label, int image, int selectedImage,
                            LPARAM data) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(label);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.lParam = data;
    return TreeView_InsertItem(tree, &insert);
}

}  // namespace tarvel::bench
