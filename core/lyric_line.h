// One lyric line: its text, its time tags in the order they were read or
// added, and what the reader found the line to be.
#pragma once

#include <cstdint>

#include "core/owned_list.h"
#include "core/time_tag.h"
#include "host/utf8_string.h"

namespace versotime {

enum class LineKind : std::int32_t {
    lyric = 0,          // an ordinary line; the only kind a document keeps
    offset_header = 1,  // carries an offset
    info_header = 2,    // title, artist, album or author: dropped
};

class LyricLine {
public:
    LyricLine() = default;
    LyricLine(const LyricLine&) = delete;
    LyricLine& operator=(const LyricLine&) = delete;

    // The lyric text without its time tags (UTF-8).
    Utf8String& text() { return text_; }
    const Utf8String& text() const { return text_; }
    // Replaces the text by system-code-page text converted to UTF-8; the
    // text is not parsed for tags. False when memory ran out.
    bool set_text_ansi(const char* text);

    int tag_count() const { return tags_.count(); }
    // The caller keeps the index in range.
    TimeTag& tag(int index) { return tags_.at(index); }
    const TimeTag& tag(int index) const { return tags_.at(index); }
    // The no-time value -1.0 for any index, negative ones included, that is
    // not a tag's.
    double tag_time(int index) const;
    // Appends the tag and takes ownership of it; no check for duplicates or
    // negative times. When the list cannot grow the tag is destroyed and the
    // result is false.
    bool add_tag(TimeTag* tag);
    // Destroys the tag; later tags move one place earlier.
    void remove_tag(int index) { tags_.remove(index); }

    // The printed forms of all tags in list order, as last rebuilt.
    const Utf8String& tag_text() const { return tag_text_; }
    // False (with the text cut short) when memory ran out.
    bool refresh_tag_text();

    LineKind kind() const { return kind_; }
    // Meaningful only for an offset header.
    std::int32_t offset_ms() const { return offset_ms_; }

    // Fills a new line from one raw line of LRC text without its line end.
    // False when memory ran out for the text; the line then holds what was
    // read so far.
    bool parse(const Utf8String& raw);
    bool parse(const char* raw, std::uint32_t length);

private:
    void read_tag_run(const char* run, std::uint32_t length);
    void classify(const char* content, std::uint32_t length);

    Utf8String text_;
    Utf8String tag_text_;
    OwnedList<TimeTag> tags_;
    LineKind kind_ = LineKind::lyric;
    std::int32_t offset_ms_ = 0;
};

}  // namespace versotime
