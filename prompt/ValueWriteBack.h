#pragma once

#include "prompt/IHostBlocks.h"

#include <cstdint>
#include <string>
#include <string_view>

// Reading a prompt's initial value from a host slot and writing the user's
// value back into it.
namespace tarvel {

// The three fields of one host value slot.
struct HostSlotFields {
    char*& data;
    std::int32_t& capacity;
    std::int32_t& length;
};

// The slot's text: empty for null data; with a positive capacity, read no
// further than that many bytes, so a block that lacks its terminator is not
// read past its end.
std::string ReadInitialValue(const char* data, std::int32_t capacity);

// Copies the value and its terminator into the slot, in place when it fits;
// otherwise the old block is freed and one of the value's size plus one takes
// its place. Without memory the slot is left empty: data null, capacity and
// length 0.
void WriteBackValue(std::string_view value, HostSlotFields slot, IHostBlocks& blocks);

}  // namespace tarvel
