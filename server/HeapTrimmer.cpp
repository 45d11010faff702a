#include "HeapTrimmer.h"

#include <malloc.h>

namespace server {

void HeapTrimmer::Check(int64_t nowMs) {
    if (nowMs < m_nextMs) return;
    m_nextMs = nowMs + kCheckMs;
    const struct mallinfo2 info = mallinfo2();
    if (info.fordblks < kFreeBytes) return;
    malloc_trim(0);
    ++m_trims;
}

}  // namespace server
