#include "host/growable_buffer.h"

#include <cstdlib>
#include <cstring>

namespace versotime {

GrowableBuffer::~GrowableBuffer() { release(); }

void GrowableBuffer::release() {
    std::free(data_);
    data_ = nullptr;
    allocated_ = 0;
    size_ = 0;
}

bool GrowableBuffer::resize(std::uint32_t new_size) {
    if (new_size == 0) {
        if (mode_ != GrowthMode::grow_only) {
            std::free(data_);
            data_ = nullptr;
            allocated_ = 0;
        }
        size_ = 0;
        return true;
    }

    std::uint32_t target = new_size;
    if (mode_ != GrowthMode::exact) {
        std::uint64_t block = allocated_ ? allocated_ : 1;
        while (block < new_size) block *= 2;
        if (mode_ == GrowthMode::powers_of_two) {
            while (block / 2 > new_size) block /= 2;
        }
        // A doubled block past 4 GB cannot be described; fall back to exact.
        target = block > UINT32_MAX ? new_size : static_cast<std::uint32_t>(block);
    }

    if (target != allocated_) {
        void* block = std::realloc(data_, target);
        if (!block) return false;
        data_ = static_cast<std::uint8_t*>(block);
        allocated_ = target;
    }
    size_ = new_size;
    return true;
}

bool GrowableBuffer::write_at(const void* source, std::uint32_t count, std::uint32_t offset) {
    if (count > UINT32_MAX - offset) return false;
    const std::uint32_t end = offset + count;
    if (size_ < end && !resize(end)) return false;
    if (count == 0) return true;
    if (source) {
        std::memmove(data_ + offset, source, count);
    } else {
        std::memset(data_ + offset, 0, count);
    }
    return true;
}

}  // namespace versotime
