// LRC text reader. It accepts LRC text, plain text and any mixture: CR LF, a
// lone LF and a lone CR each end a line; every further LF in a run of line
// ends keeps a blank line. A line's tag run ends at its last properly closed
// bracket; each bracket of the run is a time tag unless it holds one of the
// header keys ("offset:" sets the document's offset; "ti:", "ar:", "at:",
// "al:" and "by:" drop the line). It never rejects a text: odd brackets stay
// in the text or become tags with whatever time their content reads as, and
// a content too short for a time gives a tag without one. The only failure
// is running out of memory, which stops the read with what was read so far.
#include <new>

#include "core/byte_scan.h"
#include "core/lrc_syntax.h"
#include "core/lyric_document.h"
#include "core/lyric_line.h"

namespace versotime {

bool LyricDocument::read_lrc(const Utf8String& text) { return read_lrc(text.c_str(), text.length()); }

bool LyricDocument::read_lrc(const char* text, std::uint32_t length) {
    lines_.clear_for_read();
    offset_ms_ = 0;
    lines_.start_packing(length);
    // The pending line is always the bytes from `start` up to the current one.
    std::uint32_t start = 0;
    bool after_break = false;
    unsigned line_feeds = 0;
    for (std::uint32_t i = 0;; ++i) {
        const std::uint32_t end = scan::find_line_end(text, i, length);
        if (end > i) {
            after_break = false;
            line_feeds = 0;
        }
        if (end == length) break;
        i = end;
        if (!after_break) {
            if (!read_line(text + start, i - start)) return false;
            after_break = true;
        }
        if (text[i] == '\n') ++line_feeds;
        if (line_feeds >= 2) {
            if (!read_line(nullptr, 0)) return false;
            --line_feeds;
        }
        start = i + 1;
    }
    if (start < length && !read_line(text + start, length - start)) return false;
    return true;
}

// Packs the line straight into the document's blocks; a header line only
// takes effect.
bool LyricDocument::read_line(const char* raw, std::uint32_t length) {
    if (length == 0) return lines_.append_empty();
    const lrc::LineParts parts = lrc::split_line(raw, length);
    if (parts.length == 0) return lines_.append_empty();
    const std::uint32_t text_length = parts.length - parts.run_length;
    const std::uint64_t size = PackedLine::size_for(parts.brackets, text_length);
    char* record = lines_.reserve_packed(size);
    if (!record) return false;
    char* times = record + PackedLine::header_size;
    std::uint32_t tags = 0;
    std::int32_t offset = 0;
    const LineKind kind = lrc::read_tag_run(parts.line, parts.run_length, offset, [&](double seconds) {
        std::memcpy(times + tags * sizeof(double), &seconds, sizeof seconds);
        ++tags;
        return true;
    });
    if (kind == LineKind::offset_header) offset_ms_ = offset;
    if (kind != LineKind::lyric) return true;
    std::memcpy(record, &text_length, 4);
    std::memcpy(record + 4, &tags, 4);
    char* line_text = times + tags * sizeof(double);
    std::memcpy(line_text, parts.line + parts.run_length, text_length);
    line_text[text_length] = 0;
    return lines_.append_packed(size);
}

bool LyricLine::parse(const Utf8String& raw) { return parse(raw.c_str(), raw.length()); }

bool LyricLine::parse(const char* raw, std::uint32_t length) {
    const lrc::LineParts parts = lrc::split_line(raw, length);
    if (parts.length == 0) return true;
    text_.truncate(0);
    if (!text_.append_bytes(parts.line + parts.run_length, parts.length - parts.run_length)) return false;
    kind_ = lrc::read_tag_run(parts.line, parts.run_length, offset_ms_,
                              [this](double seconds) { return add_tag(new (std::nothrow) TimeTag(seconds)); });
    return refresh_tag_text();
}

}  // namespace versotime
