// An ordered list of heap objects that it owns, on the C heap so that running
// out of memory is a result, never an exception. Indexes are signed 32-bit.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace versotime {

template <typename T>
class OwnedList {
public:
    OwnedList() = default;
    ~OwnedList() {
        clear();
        std::free(items_);
    }
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;

    int count() const { return count_; }
    T& at(int index) { return *items_[index]; }
    const T& at(int index) const { return *items_[index]; }

    // Takes ownership only on success; on false (no room) the caller still
    // owns `item`. An index outside 0..count is clamped.
    bool insert(int index, T* item) {
        if (!item || !make_room()) return false;
        if (index < 0) index = 0;
        if (index > count_) index = count_;
        std::memmove(items_ + index + 1, items_ + index,
                     static_cast<std::size_t>(count_ - index) * sizeof(T*));
        items_[index] = item;
        ++count_;
        return true;
    }
    bool append(T* item) { return insert(count_, item); }

    // Destroys the item; an index out of range changes nothing.
    void remove(int index) {
        if (index < 0 || index >= count_) return;
        delete items_[index];
        std::memmove(items_ + index, items_ + index + 1,
                     static_cast<std::size_t>(count_ - index - 1) * sizeof(T*));
        --count_;
    }

    void clear() {
        for (int i = 0; i < count_; ++i) delete items_[i];
        count_ = 0;
    }

private:
    bool make_room() {
        if (count_ < capacity_) return true;
        constexpr int max_count = 0x7FFFFFFF;
        if (capacity_ == max_count) return false;
        const std::int64_t wanted = capacity_ ? std::int64_t{capacity_} * 2 : 2;
        const int capacity = wanted > max_count ? max_count : static_cast<int>(wanted);
        if (static_cast<std::uint64_t>(capacity) > SIZE_MAX / sizeof(T*)) return false;
        void* block = std::realloc(items_, static_cast<std::size_t>(capacity) * sizeof(T*));
        if (!block) return false;
        items_ = static_cast<T**>(block);
        capacity_ = capacity;
        return true;
    }

    T** items_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};

}  // namespace versotime
