// Undo and redo for the editor. A step is the whole state just before a
// change: the document and what the window showed of it, packed into one
// block on the C heap. Whole states rather than differences: restoring one
// can never drift from what was there, and an ordinary sheet packs into a
// few kilobytes.
#pragma once

#include <cstdint>

#include "host/utf8_string.h"

namespace versotime {

class LyricDocument;

// What the editor shows of the document besides the document itself.
struct EditorView {
    int current_line = -1;
    int lyric_selection = -1;
    int tag_selection = -1;
    std::int32_t working_offset = 0;
    bool lyric_changed = false;
    // One bit per control; the editor chooses the bits.
    std::uint32_t enabled_controls = 0;
    // The offset field's bytes as they stood.
    Utf8String offset_text;
};

class EditState {
public:
    // Null when memory ran out or the state would pack into more than
    // `largest` bytes (so that a sheet no history could keep is never copied).
    static EditState* take(const LyricDocument& document, const EditorView& view,
                           std::uint64_t largest = ~std::uint64_t{0});
    ~EditState();
    EditState(const EditState&) = delete;
    EditState& operator=(const EditState&) = delete;

    std::uint32_t size() const { return size_; }

    // Whether the lyrics are still these: lines, tags, the document's
    // offset, the working offset, the offset field and the changed flag.
    // Selections and enabling do not count.
    bool same_lyrics(const LyricDocument& document, const EditorView& view) const;

    // Puts the state back into the document and `view`. False when memory
    // ran out: before the document is touched, unless even the emptied
    // document's list could not take its lines back, in which case it holds
    // the lines restored so far.
    bool restore(LyricDocument& document, EditorView& view) const;

private:
    EditState(unsigned char* block, std::uint32_t size) : block_(block), size_(size) {}

    unsigned char* block_;
    std::uint32_t size_;
};

// The steps on both sides of the present. Kept within two bounds together:
// at most `step_bound` steps and `byte_bound` bytes (each state's block plus
// a fixed charge for its bookkeeping); past either the oldest undo step goes
// first, then the farthest redo step. A single state larger than the byte
// bound is not kept.
class EditHistory {
public:
    static constexpr int step_capacity = 1000;
    static constexpr std::uint64_t default_byte_bound = std::uint64_t{32} << 20;
    static constexpr std::uint32_t step_charge = 64;

    explicit EditHistory(std::uint64_t byte_bound = default_byte_bound, int step_bound = step_capacity);

    // The largest state a step can be.
    std::uint64_t byte_bound() const { return byte_bound_; }
    ~EditHistory() { forget(); }
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // A change was made; `before` is the state just before it and becomes
    // the newest undo step, and every redo step goes. Null (no memory for
    // the state) forgets everything, so that an undo never skips a change.
    void record(EditState* before);

    // The state an undo or a redo goes to, or null; the history keeps it.
    const EditState* undo_target() const { return undo_count_ ? undo_[undo_count_ - 1] : nullptr; }
    const EditState* redo_target() const { return redo_count_ ? redo_[redo_count_ - 1] : nullptr; }

    // After the target was restored: the target is dropped, and `present`
    // (the state the undo or redo left) becomes the newest step on the other
    // side. A null `present` drops that side instead.
    void undone(EditState* present);
    void redone(EditState* present);

    void forget();

    int undo_count() const { return undo_count_; }
    int redo_count() const { return redo_count_; }
    std::uint64_t kept_bytes() const { return kept_bytes_; }

private:
    static void push(EditState** side, int& count, EditState* state);
    void drop_newest(EditState** side, int& count);
    void drop_all(EditState** side, int& count);
    void drop_oldest(EditState** side, int& count);
    void keep_within_bounds();
    void moved(EditState** from, int& from_count, EditState** to, int& to_count, EditState* present);

    std::uint64_t byte_bound_;
    int step_bound_;
    std::uint64_t kept_bytes_ = 0;
    // Oldest first on both sides: redo_[redo_count_ - 1] is the next redo.
    EditState* undo_[step_capacity] = {};
    EditState* redo_[step_capacity] = {};
    int undo_count_ = 0;
    int redo_count_ = 0;
};

// A time tag's time moved by `delta` seconds, rounded to the nearest
// hundredth and never below 0. A time that is negative (no time) or not a
// number, or one too large to move, comes back unchanged.
double nudged_time(double time, double delta);

}  // namespace versotime
