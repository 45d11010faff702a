// What the memory allocator reports about the program: the bytes it has
// handed out and not yet taken back, for the lobby's "/mem".
#pragma once

#include <cstdint>

namespace platform {

// Bytes in use from the heap and from large blocks mapped on their own; 0
// where the allocator cannot tell.
uint64_t AllocatedBytes();

}  // namespace platform
