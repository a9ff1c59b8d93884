#pragma once

#include <windows.h>
#include <commctrl.h>

#include "store/AutotextEntry.h"

namespace tarvel {
class CTreeCtrlEx;
}

// What the items of the expansion tree carry: a root its language index
// 0..7, an entry item the address of its entry.
namespace ExpansionTreeItems {

constexpr int kEntryImage = 0;
constexpr int kSelectedEntryImage = 1;
constexpr int kRootImage = 4;
// Item data of this or less is never an entry.
constexpr ULONG_PTR kLargestNonEntryData = 8;

AutotextEntry* EntryOf(const tarvel::CTreeCtrlEx& tree, HTREEITEM item);

int CountChildren(const tarvel::CTreeCtrlEx& tree, HTREEITEM item);

}  // namespace ExpansionTreeItems
