// Every entry is found in its row, whether its own numbering is current,
// stale after an insertion or a move, or names another language's row.
#include <gtest/gtest.h>

#include "editor/EntryOrder.h"

#include <array>
#include <string>

using namespace tarvel;

TEST(EntryOrder, FindsEveryEntryWhateverItsNumberingSays) {
    std::array<AutotextEntry, 5> entries{};
    EntryOrder order;
    for (std::size_t i = 0; i < 3; ++i)
        order.Append(0, &entries[i], "a" + std::to_string(i));
    order.Renumber(0);
    order.Append(1, &entries[3], "b0");
    order.Renumber(1);
    // Not renumbered: the new entry's ordinal 0 is the first row's, the
    // moved one still claims language 0.
    order.Insert(0, nullptr, &entries[4], "new");
    order.Move(&entries[0], 1, &entries[3]);
    entries[2].ordinal = -1;
    const struct {
        std::size_t entry;
        const char* label;
    } expected[] = {{0, "a0"}, {1, "a1"}, {2, "a2"}, {3, "b0"}, {4, "new"}};
    for (const auto& row : expected) {
        SCOPED_TRACE(row.label);
        EntryOrder::Row* found = order.Find(&entries[row.entry]);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->entry, &entries[row.entry]);
        EXPECT_EQ(found->label, row.label);
    }
    AutotextEntry stranger;
    EXPECT_EQ(order.Find(&stranger), nullptr);
    EXPECT_EQ(order.Find(nullptr), nullptr);
}
