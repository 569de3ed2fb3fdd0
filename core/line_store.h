// Where a document keeps its lines. A line read from text is packed into a
// large block the store owns: its text length, tag count, tag times and
// text, with no heap block of its own. A line added by the editor, or one
// asked for as a LyricLine, is a heap LyricLine the store owns. Each line is
// one pointer-sized slot; every empty line read shares one static record.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/lyric_line.h"

namespace versotime {

// A packed line: two 32-bit counts, then `tag_count` doubles (unaligned),
// then the text and a NUL. A look at those bytes, not their owner.
class PackedLine {
public:
    explicit PackedLine(const char* bytes) : bytes_(bytes) {}

    static constexpr std::uint32_t header_size = 8;
    static std::uint64_t size_for(std::uint32_t tag_count, std::uint32_t text_length) {
        return header_size + std::uint64_t{tag_count} * sizeof(double) + text_length + 1;
    }

    std::uint32_t text_length() const { return read_u32(0); }
    std::uint32_t tag_count() const { return read_u32(4); }
    double tag_time(std::uint32_t index) const {
        double t;
        std::memcpy(&t, bytes() + header_size + index * sizeof(double), sizeof t);
        return t;
    }
    const char* text() const { return bytes() + header_size + tag_count() * sizeof(double); }

private:
    const char* bytes() const { return bytes_; }
    std::uint32_t read_u32(std::uint32_t at) const {
        std::uint32_t v;
        std::memcpy(&v, bytes() + at, sizeof v);
        return v;
    }

    const char* bytes_;
};

class LineStore {
public:
    LineStore() = default;
    ~LineStore();
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;

    int count() const { return count_; }
    // Null for a packed line.
    LyricLine* owned(int index) const {
        const std::uintptr_t slot = slots_[index];
        return (slot & owned_bit) ? reinterpret_cast<LyricLine*>(slot & ~owned_bit) : nullptr;
    }
    // Only for a line that owned() gives null for.
    PackedLine packed(int index) const { return PackedLine(reinterpret_cast<const char*>(slots_[index])); }

    // Takes ownership only on success. An index outside 0..count is clamped.
    bool insert(int index, LyricLine* line);
    // Destroys the line; an index out of range changes nothing.
    void remove(int index);
    // Destroys every line and frees every block and the slots.
    void clear();
    // The same, keeping the slots' room for the read that follows.
    void clear_for_read();

    // Replaces a packed line by a LyricLine holding the same text and tags;
    // false, with the line left packed, when memory ran out.
    bool unpack(int index);

    // The reader's side: room for a packed line of `size` bytes, then the
    // line appended once it is written there. Null or false when memory ran
    // out. `expected_bytes` sizes the blocks of a read.
    void start_packing(std::uint32_t expected_bytes);
    char* reserve_packed(std::uint64_t size);
    bool append_packed(std::uint64_t size);
    bool append_empty() { return append_slot(reinterpret_cast<std::uintptr_t>(empty_record)); }

private:
    struct Block;
    static constexpr std::uintptr_t owned_bit = 1;

    // The record every empty line read points to.
    static const char empty_record[];

    bool append_slot(std::uintptr_t slot) {
        if (count_ == capacity_ && !make_room()) return false;
        slots_[count_++] = slot;
        return true;
    }
    bool make_room();
    bool grow(std::int64_t wanted);
    void free_blocks();

    std::uintptr_t* slots_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
    Block* blocks_ = nullptr;  // newest first
    char* cursor_ = nullptr;   // free room of the newest block
    char* limit_ = nullptr;
    std::uint32_t block_size_ = 0;
};

}  // namespace versotime
