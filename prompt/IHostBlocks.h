#pragma once

#include <cstddef>

namespace tarvel {

// The host's value blocks: fixed global memory that the host frees after the
// call. The dialog replaces a block that is too small through this port.
class IHostBlocks {
public:
    virtual ~IHostBlocks() = default;
    // A new block of the size, or null when there is no memory.
    virtual char* Allocate(std::size_t bytes) noexcept = 0;
    // Frees a block the host gave or Allocate made; null is allowed.
    virtual void Free(char* block) noexcept = 0;
};

}  // namespace tarvel
