// Gives freed heap memory back to the system now and then. After a burst
// (a thousand logons, a flood of chat) the allocator keeps the freed pages
// for reuse, so the server's resident size stays at its high-water mark
// long after the load has passed; a quiet zone should be small again.
#pragma once

#include <cstdint>

namespace server {

class HeapTrimmer {
public:
    // Checks at most every kCheckMs; trims when the allocator holds more
    // than kFreeBytes unused. The check is cheap, the trim walks the heap.
    static constexpr int64_t kCheckMs = 5000;
    static constexpr uint64_t kFreeBytes = 4u << 20;

    void Check(int64_t nowMs);
    int Trims() const { return m_trims; }

private:
    int64_t m_nextMs = 0;
    int m_trims = 0;
};

}  // namespace server
