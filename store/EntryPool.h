#pragma once

#include <cstddef>

namespace tarvel {

// Room for entries, taken from the heap in slabs of many: a template file
// holds tens of thousands of entries, and a heap call for each costs about
// as much as reading the entry (under Wine a lock and a search every time).
// A slab goes back to the heap when its last entry is freed. Blocks of
// another size come from the heap.
class EntryPool {
public:
    static void* Allocate(std::size_t size);
    // The size the block was allocated with.
    static void Free(void* block, std::size_t size) noexcept;
    // The slabs held now, for the tests.
    static std::size_t Slabs();
};

}  // namespace tarvel
