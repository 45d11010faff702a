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

#if !defined(__SANITIZE_ADDRESS__) && defined(__GLIBC__) && \
    (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
#define QV_GLIBC_MALLINFO2 1
#endif

namespace platform {

uint64_t AllocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<uint64_t>(__sanitizer_get_current_allocated_bytes());
#elif defined(QV_GLIBC_MALLINFO2)
    // Summed over every arena; hblkhd counts the blocks too large for them.
    const struct mallinfo2 info = mallinfo2();
    return static_cast<uint64_t>(info.uordblks) + static_cast<uint64_t>(info.hblkhd);
#else
    return 0;
#endif
}

uint64_t FreeHeapBytes() {
#if defined(QV_GLIBC_MALLINFO2)
    return static_cast<uint64_t>(mallinfo2().fordblks);
#else
    return 0;
#endif
}

void TrimHeap() {
#if defined(QV_GLIBC_MALLINFO2)
    malloc_trim(0);
#endif
}

bool THeapTrimmer::Check(int64_t nowMs) {
    if (nowMs < m_nextMs) return false;
    m_nextMs = nowMs + kCheckMs;
    return Due(FreeHeapBytes());
}

// The baseline follows the free bytes down (freed memory taken into use
// again) and marks the level after each trim, so only new free memory of
// kGrowthBytes or more leads to another trim.
bool THeapTrimmer::Due(uint64_t freeBytes) {
    if (freeBytes < m_baseline) m_baseline = freeBytes;
    if (freeBytes - m_baseline < kGrowthBytes) return false;
    TrimHeap();
    m_baseline = freeBytes;
    ++m_trims;
    return true;
}

}  // namespace platform
