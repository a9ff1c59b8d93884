#include "store/EntryPool.h"

#include <mutex>
#include <new>

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

// Each slot holds its slab's address, then the entry; a free slot holds the
// next free one of its slab in the entry's place.
constexpr std::size_t kHeader = sizeof(void*);
constexpr std::size_t kSlotBytes = kHeader + (sizeof(AutotextEntry) + kHeader - 1) / kHeader * kHeader;
constexpr std::size_t kSlotsPerSlab = 512;
static_assert(alignof(AutotextEntry) <= kHeader);

struct Slab {
    // In the list of slabs with room.
    Slab* previous = nullptr;
    Slab* next = nullptr;
    std::size_t used = 0;
    // Slots handed out at least once; those after them were never used.
    std::size_t carved = 0;
    void* freeSlots = nullptr;
    alignas(void*) unsigned char slots[kSlotsPerSlab * kSlotBytes];
};

// An entry freed is poisoned under AddressSanitizer until it is handed out
// again, so that a use after its end is still caught.
void Poison(void* entry) {
#ifdef TARVEL_POOL_POISONS
    ASAN_POISON_MEMORY_REGION(entry, kSlotBytes - kHeader);
#else
    (void)entry;
#endif
}

void Unpoison(void* entry) {
#ifdef TARVEL_POOL_POISONS
    ASAN_UNPOISON_MEMORY_REGION(entry, kSlotBytes - kHeader);
#else
    (void)entry;
#endif
}

std::mutex gLock;
Slab* gWithRoom = nullptr;
std::size_t gSlabs = 0;

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

unsigned char* TakeSlot(Slab& slab) {
    if (slab.freeSlots != nullptr) {
        auto* slot = static_cast<unsigned char*>(slab.freeSlots) - kHeader;
        Unpoison(slot + kHeader);
        slab.freeSlots = *reinterpret_cast<void**>(slot + kHeader);
        return slot;
    }
    return slab.slots + slab.carved++ * kSlotBytes;
}

}  // namespace

void* EntryPool::Allocate(std::size_t size) {
    if (size != sizeof(AutotextEntry))
        return ::operator new(size);
    const std::lock_guard<std::mutex> hold(gLock);
    if (gWithRoom == nullptr) {
        LinkFirst(new Slab);
        ++gSlabs;
    }
    Slab* slab = gWithRoom;
    unsigned char* slot = TakeSlot(*slab);
    if (++slab->used == kSlotsPerSlab)
        Unlink(slab);
    *reinterpret_cast<Slab**>(slot) = slab;
    return slot + kHeader;
}

void EntryPool::Free(void* block, std::size_t size) noexcept {
    if (size != sizeof(AutotextEntry)) {
        ::operator delete(block);
        return;
    }
    if (block == nullptr)
        return;
    auto* entry = static_cast<unsigned char*>(block);
    Slab* slab = *reinterpret_cast<Slab**>(entry - kHeader);
    const std::lock_guard<std::mutex> hold(gLock);
    if (slab->used-- == kSlotsPerSlab)
        LinkFirst(slab);
    if (slab->used == 0 && (slab->previous != nullptr || slab->next != nullptr)) {
        Unlink(slab);
        delete slab;
        --gSlabs;
        return;
    }
    *reinterpret_cast<void**>(entry) = slab->freeSlots;
    slab->freeSlots = entry;
    Poison(entry);
}

std::size_t EntryPool::Slabs() {
    const std::lock_guard<std::mutex> hold(gLock);
    return gSlabs;
}

}  // namespace tarvel
