#include <gtest/gtest.h>

#include "prompt/ValueWriteBack.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>

namespace tarvel {
namespace {

// Blocks from the C heap, so that the sanitizers see every byte past a
// block's end; remembers what is live and what was freed.
class HeapBlocks : public IHostBlocks {
public:
    ~HeapBlocks() override {
        for (char* block : live) {
            std::free(block);
        }
    }
    char* Allocate(std::size_t bytes) noexcept override {
        if (failAllocations) {
            return nullptr;
        }
        auto* block = static_cast<char*>(std::malloc(bytes));
        live.insert(block);
        ++allocations;
        return block;
    }
    void Free(char* block) noexcept override {
        ++frees;
        if (block != nullptr && live.erase(block) == 1) {
            std::free(block);
        }
    }
    char* Block(const std::string& text, std::size_t size) {
        char* block = Allocate(size);
        std::memcpy(block, text.data(), std::min(size, text.size() + 1));
        return block;
    }

    std::set<char*> live;
    int allocations = 0;
    int frees = 0;
    bool failAllocations = false;
};

struct Slot {
    char* data = nullptr;
    std::int32_t capacity = 0;
    std::int32_t length = -1;
    HostSlotFields Fields() { return {data, capacity, length}; }
};

TEST(ValueWriteBack, ReadsTheInitialValueWithinItsBlock) {
    HeapBlocks blocks;
    EXPECT_EQ(ReadInitialValue(nullptr, 0), "");
    EXPECT_EQ(ReadInitialValue(nullptr, 12), "");
    EXPECT_EQ(ReadInitialValue(blocks.Block("short", 16), 16), "short");
    EXPECT_EQ(ReadInitialValue(blocks.Block("abc", 4), 0), "abc");
    // Five bytes without a terminator: the sanitizer stops any read past them.
    EXPECT_EQ(ReadInitialValue(blocks.Block("fivebytes", 5), 5), "fiveb");
}

TEST(ValueWriteBack, AValueThatFitsIsCopiedInPlace) {
    HeapBlocks blocks;
    Slot slot;
    slot.data = blocks.Block("old", 11);
    slot.capacity = 11;
    char* const before = slot.data;
    WriteBackValue("0123456789", slot.Fields(), blocks);
    EXPECT_EQ(slot.data, before);
    EXPECT_EQ(slot.capacity, 11);
    EXPECT_EQ(slot.length, 10);
    EXPECT_STREQ(slot.data, "0123456789");
    EXPECT_EQ(blocks.frees, 0);
}

TEST(ValueWriteBack, AValueThatDoesNotFitGetsANewBlockOfItsSizePlusOne) {
    HeapBlocks blocks;
    Slot slot;
    slot.data = blocks.Block("old", 10);
    slot.capacity = 10;
    WriteBackValue("0123456789", slot.Fields(), blocks);
    EXPECT_EQ(slot.capacity, 11);
    EXPECT_EQ(slot.length, 10);
    EXPECT_STREQ(slot.data, "0123456789");
    EXPECT_EQ(blocks.frees, 1);
    EXPECT_EQ(blocks.live.size(), 1u);
}

TEST(ValueWriteBack, AnEmptyValueIntoANullSlotGetsAOneByteBlock) {
    HeapBlocks blocks;
    Slot slot;
    WriteBackValue("", slot.Fields(), blocks);
    ASSERT_NE(slot.data, nullptr);
    EXPECT_EQ(slot.capacity, 1);
    EXPECT_EQ(slot.length, 0);
    EXPECT_EQ(slot.data[0], '\0');
}

TEST(ValueWriteBack, NullDataWithACapacityIsGivenABlockInsteadOfWrittenThrough) {
    HeapBlocks blocks;
    Slot slot;
    slot.capacity = 64;
    WriteBackValue("value", slot.Fields(), blocks);
    ASSERT_NE(slot.data, nullptr);
    EXPECT_EQ(slot.capacity, 6);
    EXPECT_STREQ(slot.data, "value");
}

TEST(ValueWriteBack, WithoutMemoryTheSlotIsLeftEmpty) {
    HeapBlocks blocks;
    Slot slot;
    slot.data = blocks.Block("old", 2);
    slot.capacity = 2;
    blocks.failAllocations = true;
    WriteBackValue("longer", slot.Fields(), blocks);
    EXPECT_EQ(slot.data, nullptr);
    EXPECT_EQ(slot.capacity, 0);
    EXPECT_EQ(slot.length, 0);
    EXPECT_TRUE(blocks.live.empty());
}

}  // namespace
}  // namespace tarvel
