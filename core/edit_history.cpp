#include "core/edit_history.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/lyric_document.h"
#include "core/lyric_line.h"
#include "core/time_tag.h"

namespace versotime {

namespace {

// Block layout, native byte order: the header words below, the offset
// field's bytes, then per line its text length, its tag count, its text and
// its tag times as doubles.
enum HeaderWord {
    word_line_count,
    word_document_offset,
    word_current_line,
    word_lyric_selection,
    word_tag_selection,
    word_working_offset,
    word_lyric_changed,
    word_enabled_controls,
    word_offset_text_length,
    header_words
};
constexpr std::uint64_t header_bytes = header_words * 4;
// Well inside what one heap block and a 32-bit size can hold.
constexpr std::uint64_t largest_state = 0x7FFF0000u;

std::uint32_t word_at(const unsigned char* at) {
    std::uint32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

std::int32_t int_at(const unsigned char* at) {
    std::int32_t value;
    std::memcpy(&value, at, 4);
    return value;
}

class Packer {
public:
    explicit Packer(unsigned char* at) : at_(at) {}
    void word(std::uint32_t value) { bytes(&value, 4); }
    void integer(std::int32_t value) { bytes(&value, 4); }
    void bytes(const void* data, std::uint32_t count) {
        if (count) std::memcpy(at_, data, count);
        at_ += count;
    }

private:
    unsigned char* at_;
};

// Reads a block that `take` wrote; every step stays inside it.
class Unpacker {
public:
    Unpacker(const unsigned char* block, std::uint32_t size) : at_(block), end_(block + size) {}
    bool word(std::uint32_t& value) {
        if (end_ - at_ < 4) return false;
        value = word_at(at_);
        at_ += 4;
        return true;
    }
    const unsigned char* bytes(std::uint64_t count) {
        if (static_cast<std::uint64_t>(end_ - at_) < count) return nullptr;
        const unsigned char* start = at_;
        at_ += count;
        return start;
    }

private:
    const unsigned char* at_;
    const unsigned char* end_;
};

double time_at(const unsigned char* at) {
    double value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

bool same_time(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void delete_lines(LyricLine** lines, std::uint32_t from, std::uint32_t count) {
    for (std::uint32_t i = from; i < count; ++i) delete lines[i];
    std::free(lines);
}

}  // namespace

EditState* EditState::take(const LyricDocument& document, const EditorView& view, std::uint64_t largest) {
    if (largest > largest_state) largest = largest_state;
    std::uint64_t size = header_bytes + view.offset_text.length();
    // Lines are read through views: a snapshot never unpacks a read line.
    for (int i = 0; i < document.line_count() && size <= largest; ++i) {
        const LineView line = document.view(i);
        size += 8 + std::uint64_t{line.text_length()} + std::uint64_t{8} * static_cast<std::uint32_t>(line.tag_count());
    }
    if (size > largest) return nullptr;
    unsigned char* block = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(size)));
    if (!block) return nullptr;
    EditState* state = new (std::nothrow) EditState(block, static_cast<std::uint32_t>(size));
    if (!state) {
        std::free(block);
        return nullptr;
    }
    Packer out(block);
    out.word(static_cast<std::uint32_t>(document.line_count()));
    out.integer(document.offset_ms());
    out.integer(view.current_line);
    out.integer(view.lyric_selection);
    out.integer(view.tag_selection);
    out.integer(view.working_offset);
    out.word(view.lyric_changed ? 1 : 0);
    out.word(view.enabled_controls);
    out.word(view.offset_text.length());
    out.bytes(view.offset_text.c_str(), view.offset_text.length());
    for (int i = 0; i < document.line_count(); ++i) {
        const LineView line = document.view(i);
        out.word(line.text_length());
        out.word(static_cast<std::uint32_t>(line.tag_count()));
        out.bytes(line.text(), line.text_length());
        for (int t = 0; t < line.tag_count(); ++t) {
            const double time = line.tag_time(t);
            out.bytes(&time, sizeof time);
        }
    }
    return state;
}

EditState::~EditState() { std::free(block_); }

bool EditState::same_lyrics(const LyricDocument& document, const EditorView& view) const {
    const unsigned char* header = block_;
    if (word_at(header + 4 * word_line_count) != static_cast<std::uint32_t>(document.line_count()) ||
        int_at(header + 4 * word_document_offset) != document.offset_ms() ||
        int_at(header + 4 * word_working_offset) != view.working_offset ||
        (word_at(header + 4 * word_lyric_changed) != 0) != view.lyric_changed) {
        return false;
    }
    Unpacker in(block_, size_);
    in.bytes(header_bytes);
    const std::uint32_t offset_length = word_at(header + 4 * word_offset_text_length);
    const unsigned char* offset_text = in.bytes(offset_length);
    if (!offset_text || offset_length != view.offset_text.length() ||
        std::memcmp(offset_text, view.offset_text.c_str(), offset_length) != 0) {
        return false;
    }
    for (int i = 0; i < document.line_count(); ++i) {
        const LineView line = document.view(i);
        std::uint32_t text_length = 0, tag_count = 0;
        if (!in.word(text_length) || !in.word(tag_count)) return false;
        if (text_length != line.text_length() || tag_count != static_cast<std::uint32_t>(line.tag_count())) {
            return false;
        }
        const unsigned char* text = in.bytes(text_length);
        if (!text || std::memcmp(text, line.text(), text_length) != 0) return false;
        const unsigned char* times = in.bytes(std::uint64_t{8} * tag_count);
        if (!times) return false;
        for (std::uint32_t t = 0; t < tag_count; ++t) {
            if (!same_time(time_at(times + 8 * t), line.tag_time(static_cast<int>(t)))) return false;
        }
    }
    return true;
}

bool EditState::restore(LyricDocument& document, EditorView& view) const {
    const unsigned char* header = block_;
    Unpacker in(block_, size_);
    in.bytes(header_bytes);
    const std::uint32_t offset_length = word_at(header + 4 * word_offset_text_length);
    const unsigned char* offset_text = in.bytes(offset_length);
    if (!offset_text) return false;
    view.offset_text.truncate(0);
    if (!view.offset_text.append_bytes(reinterpret_cast<const char*>(offset_text), offset_length)) return false;

    // Every line and tag is built before the document is touched.
    const std::uint32_t count = word_at(header + 4 * word_line_count);
    LyricLine** lines = static_cast<LyricLine**>(std::calloc(count ? count : 1, sizeof(LyricLine*)));
    if (!lines) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t text_length = 0, tag_count = 0;
        const unsigned char* text = nullptr;
        const unsigned char* times = nullptr;
        if (in.word(text_length) && in.word(tag_count)) {
            text = in.bytes(text_length);
            times = in.bytes(std::uint64_t{8} * tag_count);
        }
        LyricLine* line = text && times ? new (std::nothrow) LyricLine() : nullptr;
        lines[i] = line;
        bool built = line && line->text().append_bytes(reinterpret_cast<const char*>(text), text_length);
        for (std::uint32_t t = 0; built && t < tag_count; ++t) {
            built = line->add_tag(new (std::nothrow) TimeTag(time_at(times + 8 * t)));
        }
        if (!built) {
            delete_lines(lines, 0, i + 1);
            return false;
        }
    }

    document.clear();
    document.set_offset_ms(int_at(header + 4 * word_document_offset));
    for (std::uint32_t i = 0; i < count; ++i) {
        LyricLine* line = lines[i];
        lines[i] = nullptr;
        if (!document.add_line(line)) {
            delete line;
            delete_lines(lines, i + 1, count);
            return false;
        }
    }
    std::free(lines);
    document.refresh_tag_texts();
    view.current_line = int_at(header + 4 * word_current_line);
    view.lyric_selection = int_at(header + 4 * word_lyric_selection);
    view.tag_selection = int_at(header + 4 * word_tag_selection);
    view.working_offset = int_at(header + 4 * word_working_offset);
    view.lyric_changed = word_at(header + 4 * word_lyric_changed) != 0;
    view.enabled_controls = word_at(header + 4 * word_enabled_controls);
    return true;
}

EditHistory::EditHistory(std::uint64_t byte_bound, int step_bound)
    : byte_bound_(byte_bound),
      step_bound_(step_bound < 1 ? 1 : step_bound > step_capacity ? step_capacity : step_bound) {}

void EditHistory::push(EditState** side, int& count, EditState* state) { side[count++] = state; }

void EditHistory::drop_newest(EditState** side, int& count) {
    EditState* state = side[--count];
    side[count] = nullptr;
    kept_bytes_ -= std::uint64_t{state->size()} + step_charge;
    delete state;
}

void EditHistory::drop_all(EditState** side, int& count) {
    while (count > 0) drop_newest(side, count);
}

void EditHistory::drop_oldest(EditState** side, int& count) {
    kept_bytes_ -= std::uint64_t{side[0]->size()} + step_charge;
    delete side[0];
    std::memmove(side, side + 1, static_cast<std::size_t>(count - 1) * sizeof(EditState*));
    side[--count] = nullptr;
}

void EditHistory::keep_within_bounds() {
    while (undo_count_ + redo_count_ > step_bound_ || kept_bytes_ > byte_bound_) {
        if (undo_count_ > 0) {
            drop_oldest(undo_, undo_count_);
        } else if (redo_count_ > 0) {
            drop_oldest(redo_, redo_count_);
        } else {
            return;
        }
    }
}

void EditHistory::record(EditState* before) {
    drop_all(redo_, redo_count_);
    if (!before) {
        forget();
        return;
    }
    if (undo_count_ == step_capacity) drop_oldest(undo_, undo_count_);
    push(undo_, undo_count_, before);
    kept_bytes_ += std::uint64_t{before->size()} + step_charge;
    keep_within_bounds();
}

void EditHistory::moved(EditState** from, int& from_count, EditState** to, int& to_count, EditState* present) {
    if (from_count == 0) {
        delete present;
        return;
    }
    drop_newest(from, from_count);
    if (!present) {
        drop_all(to, to_count);
        return;
    }
    // Both sides together never hold more than the capacity, and one just
    // shrank, so there is room.
    push(to, to_count, present);
    kept_bytes_ += std::uint64_t{present->size()} + step_charge;
    keep_within_bounds();
}

void EditHistory::undone(EditState* present) { moved(undo_, undo_count_, redo_, redo_count_, present); }

void EditHistory::redone(EditState* present) { moved(redo_, redo_count_, undo_, undo_count_, present); }

void EditHistory::forget() {
    drop_all(undo_, undo_count_);
    drop_all(redo_, redo_count_);
}

double nudged_time(double time, double delta) {
    if (!(time >= 0.0)) return time;
    const double moved = std::round((time + delta) * 100.0) / 100.0;
    if (!std::isfinite(moved)) return time;
    return moved <= 0.0 ? 0.0 : moved;
}

}  // namespace versotime
