#include "platform/Memory.h"

// A sanitizer build replaces the C library's allocator; its own allocator
// then knows what is in use.
#if defined(__SANITIZE_ADDRESS__)
#include <cstddef>
// From the sanitizer runtime's allocator interface (its header is not
// always installed).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

uint64_t AllocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<uint64_t>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    // Summed over every arena; hblkhd counts the blocks too large for them.
    const struct mallinfo2 info = mallinfo2();
    return static_cast<uint64_t>(info.uordblks) + static_cast<uint64_t>(info.hblkhd);
#else
    return 0;
#endif
}

}  // namespace platform
