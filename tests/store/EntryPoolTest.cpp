#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "store/AutotextEntry.h"
#include "store/EntryPool.h"

using namespace tarvel;

namespace {

// Entries of several slabs freed in different orders: each one lives apart
// from the others while it lives, a freed place is given out again, and the
// slabs go back to the heap once their entries are freed.
TEST(EntryPool, EntriesKeepTheirOwnRoomAndSlabsGoBackWhenEmpty) {
    constexpr int kEntries = 1500;
    enum class Order { Forward, Backward, Alternating };
    for (const auto order : {Order::Forward, Order::Backward, Order::Alternating}) {
        const auto slabsBefore = EntryPool::Slabs();
        std::vector<std::unique_ptr<AutotextEntry>> entries;
        for (int i = 0; i < kEntries; ++i) {
            entries.push_back(std::make_unique<AutotextEntry>());
            entries.back()->ordinal = i;
            entries.back()->title = "entry " + std::to_string(i);
        }
        EXPECT_GE(EntryPool::Slabs(), slabsBefore + 2);
        std::set<const AutotextEntry*> places;
        for (const auto& entry : entries)
            places.insert(entry.get());
        EXPECT_EQ(places.size(), entries.size());
        for (int i = 0; i < kEntries; ++i) {
            ASSERT_EQ(entries[i]->ordinal, i);
            ASSERT_EQ(entries[i]->title, "entry " + std::to_string(i));
        }
        if (order == Order::Backward)
            std::reverse(entries.begin(), entries.end());
        if (order == Order::Alternating)
            std::stable_partition(entries.begin(), entries.end(),
                                  [](const auto& entry) { return entry->ordinal % 2 == 0; });
        const AutotextEntry* freed = entries.front().get();
        entries.front().reset();
        entries.front() = std::make_unique<AutotextEntry>();
        EXPECT_EQ(entries.front().get(), freed);
        entries.clear();
        EXPECT_EQ(EntryPool::Slabs(), slabsBefore);
    }
}

}  // namespace
