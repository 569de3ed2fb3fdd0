// An owned block of bytes on the C heap that grows by a chosen policy.
// A zeroed GrowableBuffer is valid and empty, in exact mode.
#pragma once

#include <cstdint>

namespace versotime {

enum class GrowthMode : std::uint32_t {
    exact = 0,          // the block is exactly `size` bytes
    powers_of_two = 1,  // doubles to fit, halves when mostly unused
    grow_only = 2,      // doubles to fit, never shrinks
};

class GrowableBuffer {
public:
    GrowableBuffer() = default;
    explicit GrowableBuffer(GrowthMode mode) : mode_(mode) {}
    ~GrowableBuffer();
    GrowableBuffer(const GrowableBuffer&) = delete;
    GrowableBuffer& operator=(const GrowableBuffer&) = delete;

    // False, with the buffer unchanged, when the heap cannot supply the block.
    bool resize(std::uint32_t new_size);
    // Copies `count` bytes (zeros when `source` is null) to `offset`,
    // growing first when needed. False when the block cannot grow.
    bool write_at(const void* source, std::uint32_t count, std::uint32_t offset);
    bool append(const void* source, std::uint32_t count) { return write_at(source, count, size_); }
    void release();

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::uint32_t size() const { return size_; }
    std::uint32_t allocated() const { return allocated_; }
    GrowthMode mode() const { return mode_; }

private:
    std::uint8_t* data_ = nullptr;
    std::uint32_t allocated_ = 0;
    std::uint32_t size_ = 0;
    GrowthMode mode_ = GrowthMode::exact;
};

}  // namespace versotime
