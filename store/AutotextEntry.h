#pragma once

#include <memory>
#include <string>

#include "store/EntryPool.h"
#include "store/EntryText.h"

namespace tarvel {

// One autotext entry. Texts are 8-bit text in the system's ANSI code page;
// code and description hold CR LF line breaks after reading.
struct AutotextEntry {
    int kind = 0;              // 0 for every entry this module creates; only kind 0 is shown and saved
    EntryText shortcut;        // typed to trigger the entry; never holds a space
    EntryText title;           // shown in the host's menus; the tree label when the shortcut is empty
    EntryText code;            // inserted on expansion
    EntryText description;     // optional, stored as a readme block ahead of the record
    void* treeItem = nullptr;  // the entry's item in the expansion tree (opaque here)
    int language = 0;          // index of the language root the entry was read under
    int ordinal = 0;           // position among the entries of its template file
    // The bytes of the template file the entry was read from, which its texts
    // may borrow; empty for an entry made otherwise.
    std::shared_ptr<const std::string> source;

    // Reading makes one entry for every record of a file.
    static void* operator new(std::size_t size) { return EntryPool::Allocate(size); }
    static void operator delete(void* block, std::size_t size) noexcept { EntryPool::Free(block, size); }
};

}  // namespace tarvel
