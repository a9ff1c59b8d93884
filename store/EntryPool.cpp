#include "store/EntryPool.h"

#include <algorithm>
#include <functional>
#include <mutex>
#include <new>
#include <vector>

#include "store/AutotextEntry.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVEL_POOL_POISONS 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define TARVEL_POOL_POISONS 1
#endif
#ifdef TARVEL_POOL_POISONS
#include <sanitizer/asan_interface.h>
#endif

namespace tarvel {

namespace {

// A free slot holds the next free one of its slab.
constexpr std::size_t kSlotBytes = sizeof(AutotextEntry);
constexpr std::size_t kSlotsPerSlab = 512;
static_assert(kSlotBytes >= sizeof(void*) && kSlotBytes % alignof(AutotextEntry) == 0);

struct Slab {
    // In the list of slabs with room.
    Slab* previous = nullptr;
    Slab* next = nullptr;
    std::size_t used = 0;
    // Slots handed out at least once; those after them were never used.
    std::size_t carved = 0;
    void* freeSlots = nullptr;
    alignas(AutotextEntry) unsigned char slots[kSlotsPerSlab * kSlotBytes];
};

// An entry freed is poisoned under AddressSanitizer until it is handed out
// again, so that a use after its end is still caught.
void Poison(void* slot) {
#ifdef TARVEL_POOL_POISONS
    ASAN_POISON_MEMORY_REGION(slot, kSlotBytes);
#else
    (void)slot;
#endif
}

void Unpoison(void* slot) {
#ifdef TARVEL_POOL_POISONS
    ASAN_UNPOISON_MEMORY_REGION(slot, kSlotBytes);
#else
    (void)slot;
#endif
}

struct Pool {
    std::mutex lock;
    Slab* withRoom = nullptr;
    // Every slab, by address: a freed entry's slab is the last one before
    // it. Entries carry no pointer to their slab, so they take no more room
    // than the heap would give them.
    std::vector<Slab*> slabs;
};

// Never destroyed: an entry freed while the program ends still finds it.
Pool& ThePool() {
    static Pool* const pool = new Pool;
    return *pool;
}

void Unlink(Pool& pool, Slab* slab) {
    if (slab->previous != nullptr)
        slab->previous->next = slab->next;
    else
        pool.withRoom = slab->next;
    if (slab->next != nullptr)
        slab->next->previous = slab->previous;
    slab->previous = slab->next = nullptr;
}

void LinkFirst(Pool& pool, Slab* slab) {
    slab->next = pool.withRoom;
    if (pool.withRoom != nullptr)
        pool.withRoom->previous = slab;
    pool.withRoom = slab;
}

void AddSlab(Pool& pool) {
    pool.slabs.reserve(pool.slabs.size() + 1);
    auto* slab = new Slab;
    pool.slabs.insert(std::upper_bound(pool.slabs.begin(), pool.slabs.end(), slab, std::less<Slab*>()), slab);
    LinkFirst(pool, slab);
}

void RemoveSlab(Pool& pool, Slab* slab) {
    Unlink(pool, slab);
    pool.slabs.erase(std::lower_bound(pool.slabs.begin(), pool.slabs.end(), slab, std::less<Slab*>()));
    delete slab;
    // Nothing stays taken from the heap once every entry is gone (a host may
    // unload the module, which never frees the pool itself).
    if (pool.slabs.empty())
        pool.slabs.shrink_to_fit();
}

Slab* SlabOf(const Pool& pool, void* slot) {
    const auto after = std::upper_bound(pool.slabs.begin(), pool.slabs.end(), slot,
                                        [](void* at, Slab* slab) { return std::less<const void*>()(at, slab); });
    return *(after - 1);
}

void* TakeSlot(Slab& slab) {
    if (void* slot = slab.freeSlots) {
        Unpoison(slot);
        slab.freeSlots = *static_cast<void**>(slot);
        return slot;
    }
    return slab.slots + slab.carved++ * kSlotBytes;
}

}  // namespace

void* EntryPool::Allocate(std::size_t size) {
    if (size != sizeof(AutotextEntry))
        return ::operator new(size);
    Pool& pool = ThePool();
    const std::lock_guard<std::mutex> hold(pool.lock);
    if (pool.withRoom == nullptr)
        AddSlab(pool);
    Slab* slab = pool.withRoom;
    void* slot = TakeSlot(*slab);
    if (++slab->used == kSlotsPerSlab)
        Unlink(pool, slab);
    return slot;
}

void EntryPool::Free(void* block, std::size_t size) noexcept {
    if (size != sizeof(AutotextEntry)) {
        ::operator delete(block);
        return;
    }
    if (block == nullptr)
        return;
    Pool& pool = ThePool();
    const std::lock_guard<std::mutex> hold(pool.lock);
    Slab* slab = SlabOf(pool, block);
    if (slab->used-- == kSlotsPerSlab)
        LinkFirst(pool, slab);
    if (slab->used == 0) {
        RemoveSlab(pool, slab);
        return;
    }
    *static_cast<void**>(block) = slab->freeSlots;
    slab->freeSlots = block;
    Poison(block);
}

std::size_t EntryPool::Slabs() {
    Pool& pool = ThePool();
    const std::lock_guard<std::mutex> hold(pool.lock);
    return pool.slabs.size();
}

}  // namespace tarvel
