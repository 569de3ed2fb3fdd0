// The lyric sheet: lines in document order, each owning its time tags, plus
// the global offset in milliseconds found by the last read. Nothing sorts.
// Lines read from text stay packed in the document's blocks until line()
// asks for one; view() looks at a line without unpacking it.
#pragma once

#include <cstdint>

#include "core/line_store.h"
#include "core/lyric_line.h"
#include "core/time_text.h"
#include "host/utf8_string.h"

namespace versotime {

// A read-only look at one line, valid until the document changes.
class LineView {
public:
    // `line` when the line has one, else its packed bytes.
    LineView(const LyricLine* line, PackedLine packed) : line_(line), packed_(packed) {}

    // NUL-terminated, though the text may hold a NUL of its own.
    const char* text() const { return line_ ? line_->text().c_str() : packed_.text(); }
    std::uint32_t text_length() const { return line_ ? line_->text().length() : packed_.text_length(); }
    int tag_count() const { return line_ ? line_->tag_count() : static_cast<int>(packed_.tag_count()); }
    // As LyricLine::tag_time: the no-time value for an index out of range.
    double tag_time(int index) const;
    // The tag's printed form into `out`; its length (0 when it has none or
    // the index is out of range).
    std::uint32_t tag_text(int index, char out[time_tag_capacity]) const;

private:
    const LyricLine* line_;
    PackedLine packed_;
};

// Takes one piece of a text; false to stop the writing.
using LrcPieceSink = bool (*)(void* context, const char* bytes, std::uint32_t count);

class LyricDocument {
public:
    LyricDocument() = default;
    LyricDocument(const LyricDocument&) = delete;
    LyricDocument& operator=(const LyricDocument&) = delete;

    int line_count() const { return lines_.count(); }
    // The caller keeps the index in range. A packed line is unpacked first;
    // if memory runs out for that, the result is a spare empty line that
    // belongs to no document position (edits to it are lost).
    LyricLine& line(int index);
    const LyricLine& line(int index) const;
    // The caller keeps the index in range; never allocates.
    LineView view(int index) const {
        const LyricLine* owned = lines_.owned(index);
        return LineView(owned, owned ? PackedLine(nullptr) : lines_.packed(index));
    }

    // By the line's kind: a lyric line is appended and owned (true); an
    // offset header sets the offset, an info header changes nothing (false).
    // On false the caller still owns the line and destroys it; false for a
    // lyric line means the list could not grow.
    bool add_line(LyricLine* line);
    // Puts the line at the index, whatever its kind, and takes ownership.
    // When the list cannot grow the line is destroyed and the result is false.
    bool insert_line(int index, LyricLine* line);
    // Destroys the line with its tags; later lines move one place earlier.
    void remove_line(int index) { lines_.remove(index); }
    // Destroys every line; the offset stays.
    void clear() { lines_.clear(); }

    std::int32_t offset_ms() const { return offset_ms_; }
    // Puts back an offset that an earlier read found (undo).
    void set_offset_ms(std::int32_t offset_ms) { offset_ms_ = offset_ms; }

    // False when memory ran out.
    bool refresh_tag_texts();

    // Replaces the lines and the offset by what the LRC text holds. False
    // when memory ran out; the lines read so far then stay.
    bool read_lrc(const Utf8String& text);
    bool read_lrc(const char* text, std::uint32_t length);

    // The LRC text of the document with the given offset bracket rule.
    Utf8String write_lrc(std::int32_t offset_ms);
    // The same into `out`; false, with `out` empty, when memory ran out.
    bool write_lrc(std::int32_t offset_ms, Utf8String& out);
    // The same handed to `put` in pieces, in order, for a destination that
    // need not hold the whole text at once. False when memory ran out or
    // `put` refused a piece.
    bool write_lrc(std::int32_t offset_ms, LrcPieceSink put, void* context);

private:
    bool read_line(const char* raw, std::uint32_t length);

    // Mutable: a const caller may still ask for a packed line as a LyricLine.
    mutable LineStore lines_;
    mutable LyricLine spare_;
    std::int32_t offset_ms_ = 0;
};

}  // namespace versotime
