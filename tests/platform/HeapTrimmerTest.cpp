// The heap trimmer's rule: a trim once free memory has grown by the step
// since the last trim or its lowest point after it, never the same free
// memory twice.
#include <gtest/gtest.h>

#include "platform/Memory.h"

namespace {

constexpr uint64_t kStep = platform::THeapTrimmer::kGrowthBytes;

TEST(HeapTrimmerTest, TrimsOnlyMemoryFreedSinceTheLastTrim) {
    platform::THeapTrimmer trimmer;
    EXPECT_FALSE(trimmer.Due(kStep - 1));
    EXPECT_TRUE(trimmer.Due(3 * kStep));  // after start-up
    EXPECT_FALSE(trimmer.Due(3 * kStep));  // idle: the same free memory
    EXPECT_FALSE(trimmer.Due(4 * kStep - 1));
    EXPECT_TRUE(trimmer.Due(4 * kStep));
    // Free memory taken into use again and freed once more is new to trim.
    EXPECT_FALSE(trimmer.Due(kStep));
    EXPECT_TRUE(trimmer.Due(2 * kStep));
    EXPECT_EQ(trimmer.Trims(), 3);
}

}  // namespace
