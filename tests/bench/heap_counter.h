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
// Zeroes the allocation count, starts the peak from the current live bytes
// and counts until stopped. Live bytes are relative: blocks freed while
// counting that were allocated before it lower them.
void start_heap_counts();
void stop_heap_counts();

}  // namespace bench
}  // namespace versotime
