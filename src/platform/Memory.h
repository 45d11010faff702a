// What the memory allocator reports about the program: the bytes it has
// handed out and not yet taken back, for the lobby's "/mem"; and giving the
// pages it keeps free back to the system.
#pragma once

#include <cstdint>

namespace platform {

// Bytes in use from the heap and from large blocks mapped on their own; 0
// where the allocator cannot tell.
uint64_t AllocatedBytes();
// Bytes the allocator holds free for reuse; 0 where it cannot tell.
uint64_t FreeHeapBytes();
// Hands the allocator's whole free pages back to the system.
void TrimHeap();

// THeapTrimmer: after start-up, and after any burst that frees much, the
// allocator keeps the freed pages resident for reuse; an idle program
// should be small again. The loop asks before it sleeps. At most once per
// kCheckMs the free bytes are looked at (cheap); the heap is trimmed (a walk
// of the heap) only when they have grown by kGrowthBytes since the last trim
// or since their lowest point after it, so an idle program does not trim the
// same free memory again and again.
class THeapTrimmer {
public:
    static constexpr int64_t kCheckMs = 1000;
    static constexpr uint64_t kGrowthBytes = uint64_t{256} << 10;

    // True when it trimmed.
    bool Check(int64_t nowMs);
    // The rule alone: whether free bytes now call for a trim (and, when they
    // do, that the trim happened).
    bool Due(uint64_t freeBytes);
    int Trims() const { return m_trims; }

private:
    int64_t m_nextMs = 0;
    uint64_t m_baseline = 0;
    int m_trims = 0;
};

}  // namespace platform
