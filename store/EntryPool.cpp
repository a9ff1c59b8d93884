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

std::mutex gLock;
Slab* gWithRoom = nullptr;
// Every slab, by address: a freed entry's slab is the last one before it.
// Entries carry no pointer to their slab, so they take no more room than
// the heap would give them.
std::vector<Slab*> gSlabs;

void Unlink(Slab* slab) {
    if (slab->previous != nullptr)
        slab->previous->next = slab->next;
    else
        gWithRoom = slab->next;
    if (slab->next != nullptr)
        slab->next->previous = slab->previous;
    slab->previous = slab->next = nullptr;
}

void LinkFirst(Slab* slab) {
    slab->next = gWithRoom;
    if (gWithRoom != nullptr)
        gWithRoom->previous = slab;
    gWithRoom = slab;
}

void AddSlab() {
    gSlabs.reserve(gSlabs.size() + 1);
    auto* slab = new Slab;
    gSlabs.insert(std::upper_bound(gSlabs.begin(), gSlabs.end(), slab, std::less<Slab*>()), slab);
    LinkFirst(slab);
}

void RemoveSlab(Slab* slab) {
    Unlink(slab);
    gSlabs.erase(std::lower_bound(gSlabs.begin(), gSlabs.end(), slab, std::less<Slab*>()));
    delete slab;
}

Slab* SlabOf(void* slot) {
    const auto after = std::upper_bound(gSlabs.begin(), gSlabs.end(), slot, [](void* at, Slab* slab) {
        return std::less<const void*>()(at, slab);
    });
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
    const std::lock_guard<std::mutex> hold(gLock);
    if (gWithRoom == nullptr)
        AddSlab();
    Slab* slab = gWithRoom;
    void* slot = TakeSlot(*slab);
    if (++slab->used == kSlotsPerSlab)
        Unlink(slab);
    return slot;
}

void EntryPool::Free(void* block, std::size_t size) noexcept {
    if (size != sizeof(AutotextEntry)) {
        ::operator delete(block);
        return;
    }
    if (block == nullptr)
        return;
    const std::lock_guard<std::mutex> hold(gLock);
    Slab* slab = SlabOf(block);
    if (slab->used-- == kSlotsPerSlab)
        LinkFirst(slab);
    if (slab->used == 0 && (slab->previous != nullptr || slab->next != nullptr)) {
        RemoveSlab(slab);
        return;
    }
    *static_cast<void**>(block) = slab->freeSlots;
    slab->freeSlots = block;
    Poison(block);
}

std::size_t EntryPool::Slabs() {
    const std::lock_guard<std::mutex> hold(gLock);
    return gSlabs.size();
}

}  // namespace tarvel
