// Counts heap allocations and the peak of live heap bytes in this process
// (glibc only: malloc and friends are interposed; operator new goes through
// malloc, so it is counted too).
#pragma once

#include <cstdint>

namespace versotime {
namespace bench {

struct HeapCounts {
    std::uint64_t allocations;  // malloc, calloc, realloc calls (a realloc counts as one)
    std::int64_t live_bytes;    // usable bytes now allocated
    std::int64_t peak_bytes;    // highest live_bytes since the last reset
};

HeapCounts heap_counts();
// Zeroes the allocation count and starts the peak from the current live bytes.
void reset_heap_counts();

}  // namespace bench
}  // namespace versotime
