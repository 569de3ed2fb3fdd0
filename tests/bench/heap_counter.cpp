// Interposes the glibc allocator to count calls and live bytes. The real
// work is done by glibc's own entry points (__libc_malloc and friends).
#include "tests/bench/heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace {

// Off outside the measured stretch, so the other benchmarks pay one branch.
std::atomic<bool> counting{false};
std::atomic<std::uint64_t> allocations{0};
std::atomic<std::int64_t> live_bytes{0};
std::atomic<std::int64_t> peak_bytes{0};

void add_live(std::int64_t delta) {
    if (!counting.load(std::memory_order_relaxed)) return;
    const std::int64_t now = live_bytes.fetch_add(delta, std::memory_order_relaxed) + delta;
    std::int64_t peak = peak_bytes.load(std::memory_order_relaxed);
    while (now > peak && !peak_bytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

std::int64_t usable(void* block) {
    if (!block || !counting.load(std::memory_order_relaxed)) return 0;
    return static_cast<std::int64_t>(malloc_usable_size(block));
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
    void* block = __libc_malloc(size);
    allocations.fetch_add(1, std::memory_order_relaxed);
    add_live(usable(block));
    return block;
}

void* calloc(std::size_t count, std::size_t size) {
    void* block = __libc_calloc(count, size);
    allocations.fetch_add(1, std::memory_order_relaxed);
    add_live(usable(block));
    return block;
}

void* realloc(void* block, std::size_t size) {
    const std::int64_t before = usable(block);
    void* moved = __libc_realloc(block, size);
    allocations.fetch_add(1, std::memory_order_relaxed);
    // A failed realloc leaves the old block in place.
    if (moved || size == 0) add_live(usable(moved) - before);
    return moved;
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    void* block = __libc_memalign(alignment, size);
    allocations.fetch_add(1, std::memory_order_relaxed);
    add_live(usable(block));
    return block;
}

int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
    void* block = aligned_alloc(alignment, size);
    if (!block) return 12;  // ENOMEM
    *out = block;
    return 0;
}

void free(void* block) {
    add_live(-usable(block));
    __libc_free(block);
}

}  // extern "C"

namespace versotime {
namespace bench {

HeapCounts heap_counts() {
    return {allocations.load(), live_bytes.load(), peak_bytes.load()};
}

void start_heap_counts() {
    allocations.store(0);
    peak_bytes.store(live_bytes.load());
    counting.store(true);
}

void stop_heap_counts() { counting.store(false); }

}  // namespace bench
}  // namespace versotime
