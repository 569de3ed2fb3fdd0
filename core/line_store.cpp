#include "core/line_store.h"

#include <new>

namespace versotime {

namespace {

constexpr std::uint32_t min_block = 4096;
constexpr std::uint32_t max_block = 0x7FFF0000u;

}  // namespace

alignas(8) const char LineStore::empty_record[PackedLine::header_size + 1] = {};

struct LineStore::Block {
    Block* next;
    std::uint32_t size;  // bytes after the header
    char* data() { return reinterpret_cast<char*>(this + 1); }
};

LineStore::~LineStore() { clear(); }

bool LineStore::make_room() {
    if (count_ < capacity_) return true;
    return grow(capacity_ ? std::int64_t{capacity_} * 2 : 16);
}

bool LineStore::grow(std::int64_t wanted) {
    constexpr int max_count = 0x7FFFFFFF;
    if (capacity_ == max_count) return false;
    const int capacity = wanted > max_count ? max_count : static_cast<int>(wanted);
    if (static_cast<std::uint64_t>(capacity) > SIZE_MAX / sizeof(std::uintptr_t)) return false;
    void* block = ::operator new(static_cast<std::size_t>(capacity) * sizeof(std::uintptr_t), std::nothrow);
    if (!block) return false;
    if (count_ > 0) std::memcpy(block, slots_, static_cast<std::size_t>(count_) * sizeof(std::uintptr_t));
    ::operator delete(slots_);
    slots_ = static_cast<std::uintptr_t*>(block);
    capacity_ = capacity;
    return true;
}

bool LineStore::insert(int index, LyricLine* line) {
    if (!line || !make_room()) return false;
    if (index < 0) index = 0;
    if (index > count_) index = count_;
    std::memmove(slots_ + index + 1, slots_ + index,
                 static_cast<std::size_t>(count_ - index) * sizeof(std::uintptr_t));
    slots_[index] = reinterpret_cast<std::uintptr_t>(line) | owned_bit;
    ++count_;
    return true;
}

void LineStore::remove(int index) {
    if (index < 0 || index >= count_) return;
    delete owned(index);
    std::memmove(slots_ + index, slots_ + index + 1,
                 static_cast<std::size_t>(count_ - index - 1) * sizeof(std::uintptr_t));
    --count_;
}

void LineStore::clear() {
    clear_for_read();
    // A cleared document of millions of lines would otherwise keep their slots.
    ::operator delete(slots_);
    slots_ = nullptr;
    capacity_ = 0;
}

void LineStore::clear_for_read() {
    for (int i = 0; i < count_; ++i) delete owned(i);
    count_ = 0;
    free_blocks();
}

void LineStore::free_blocks() {
    while (blocks_) {
        Block* next = blocks_->next;
        ::operator delete(blocks_);
        blocks_ = next;
    }
    cursor_ = limit_ = nullptr;
}

bool LineStore::unpack(int index) {
    if (owned(index)) return true;
    const PackedLine packed_line = packed(index);
    LyricLine* line = new (std::nothrow) LyricLine;
    if (!line) return false;
    bool complete = line->text().append_bytes(packed_line.text(), packed_line.text_length());
    for (std::uint32_t k = 0; complete && k < packed_line.tag_count(); ++k) {
        complete = line->add_tag(new (std::nothrow) TimeTag(packed_line.tag_time(k)));
    }
    if (!complete || !line->refresh_tag_text()) {
        delete line;
        return false;
    }
    slots_[index] = reinterpret_cast<std::uintptr_t>(line) | owned_bit;
    return true;
}

void LineStore::start_packing(std::uint32_t expected_bytes) {
    // One block for a typical lyric text: a packed line takes about as many
    // bytes as its raw line.
    const std::uint64_t size = std::uint64_t{expected_bytes} + expected_bytes / 16 + 64;
    block_size_ = size < min_block ? min_block : size > max_block ? max_block : static_cast<std::uint32_t>(size);
    // Room for the lines of a typical text from the start: growing the slots
    // by doubling copies them and touches twice the memory. Room that stays
    // unused is never touched.
    const std::int64_t lines = expected_bytes / 32 + 16;
    if (lines > capacity_) grow(lines);
}

char* LineStore::reserve_packed(std::uint64_t size) {
    if (size <= static_cast<std::uint64_t>(limit_ - cursor_)) return cursor_;
    if (size > max_block) return nullptr;
    const std::uint32_t wanted = static_cast<std::uint32_t>(size);
    // After the first block, a quarter of it at a time.
    const std::uint32_t next = blocks_ ? (block_size_ / 4 < min_block ? min_block : block_size_ / 4) : block_size_;
    const std::uint32_t block_size = wanted > next ? wanted : next;
    void* memory = ::operator new(sizeof(Block) + block_size, std::nothrow);
    if (!memory) return nullptr;
    Block* block = static_cast<Block*>(memory);
    block->next = blocks_;
    block->size = block_size;
    blocks_ = block;
    cursor_ = block->data();
    limit_ = cursor_ + block_size;
    return cursor_;
}

bool LineStore::append_packed(std::uint64_t size) {
    if (!append_slot(reinterpret_cast<std::uintptr_t>(cursor_))) return false;
    // Records start on even addresses: the low bit of a slot marks an owned line.
    const std::uint64_t step = size + (size & 1);
    cursor_ = step < static_cast<std::uint64_t>(limit_ - cursor_) ? cursor_ + step : limit_;
    return true;
}


}  // namespace versotime
