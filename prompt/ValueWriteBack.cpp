#include "prompt/ValueWriteBack.h"

#include <cstring>
#include <limits>

namespace tarvel {

std::string ReadInitialValue(const char* data, std::int32_t capacity) {
    if (data == nullptr) {
        return {};
    }
    if (capacity <= 0) {
        return data;
    }
    const auto limit = static_cast<std::size_t>(capacity);
    const void* terminator = std::memchr(data, '\0', limit);
    const std::size_t length =
        terminator ? static_cast<std::size_t>(static_cast<const char*>(terminator) - data) : limit;
    return std::string(data, length);
}

void WriteBackValue(std::string_view value, HostSlotFields slot, IHostBlocks& blocks) {
    constexpr auto kLargestBlock = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    const std::size_t needed = value.size() + 1;
    // A null block holds nothing, whatever capacity a faulty host gave it.
    if (slot.data == nullptr || slot.capacity < 0 || needed > static_cast<std::size_t>(slot.capacity)) {
        blocks.Free(slot.data);
        slot.data = needed <= kLargestBlock ? blocks.Allocate(needed) : nullptr;
        slot.capacity = slot.data ? static_cast<std::int32_t>(needed) : 0;
    }
    if (slot.capacity == 0) {
        slot.data = nullptr;
        slot.length = 0;
        return;
    }
    std::memcpy(slot.data, value.data(), value.size());
    slot.data[value.size()] = '\0';
    slot.length = static_cast<std::int32_t>(value.size());
}

}  // namespace tarvel
