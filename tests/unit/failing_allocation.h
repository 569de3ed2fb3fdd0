// For the tests of what the lyric core does when the heap refuses a block.
// It allocates with the nothrow operator new, which this header replaces so
// that one chosen allocation fails. Include it in one file per executable.
#pragma once

#include <cstddef>
#include <new>

namespace versotime {
namespace test {

inline int allocations = 0;
inline int failing_allocation = 0;  // 1-based; 0 fails none

// Fails the `failing`-th allocation from now on, for its own lifetime.
class FailingAllocation {
public:
    explicit FailingAllocation(int failing) {
        allocations = 0;
        failing_allocation = failing;
    }
    ~FailingAllocation() { failing_allocation = 0; }
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether as many allocations as `failing` were asked for.
    bool reached() const { return allocations >= failing_allocation; }
};

}  // namespace test
}  // namespace versotime

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (++versotime::test::allocations == versotime::test::failing_allocation) return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
