// The lyric sheet: lines in document order, each owning its time tags, plus
// the global offset in milliseconds found by the last read. Nothing sorts.
#pragma once

#include <cstdint>

#include "core/lyric_line.h"
#include "core/owned_list.h"
#include "host/utf8_string.h"

namespace versotime {

class LyricDocument {
public:
    LyricDocument() = default;
    LyricDocument(const LyricDocument&) = delete;
    LyricDocument& operator=(const LyricDocument&) = delete;

    int line_count() const { return lines_.count(); }
    // The caller keeps the index in range.
    LyricLine& line(int index) { return lines_.at(index); }
    const LyricLine& line(int index) const { return lines_.at(index); }

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

private:
    bool read_line(const char* raw, std::uint32_t length);

    OwnedList<LyricLine> lines_;
    std::int32_t offset_ms_ = 0;
};

}  // namespace versotime
