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

#include "core/lyric_document.h"
#include "core/lyric_line.h"
#include "core/number_text.h"
#include "core/time_text.h"

namespace versotime {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Position just past the first occurrence of `key` in the span, or -1.
std::int64_t find_key(const char* text, std::uint32_t length, const char* key, std::uint32_t key_length) {
    for (std::uint32_t i = 0; i + key_length <= length; ++i) {
        std::uint32_t k = 0;
        while (k < key_length && text[i + k] == key[k]) ++k;
        if (k == key_length) return i + key_length;
    }
    return -1;
}

}  // namespace

bool LyricDocument::read_lrc(const Utf8String& text) { return read_lrc(text.c_str(), text.length()); }

bool LyricDocument::read_lrc(const char* text, std::uint32_t length) {
    lines_.clear();
    offset_ms_ = 0;
    // The pending line is always the bytes from `start` up to the current one.
    std::uint32_t start = 0;
    bool after_break = false;
    unsigned line_feeds = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
        const char b = text[i];
        if (b != '\r' && b != '\n') {
            after_break = false;
            line_feeds = 0;
            continue;
        }
        if (!after_break) {
            if (!read_line(text + start, i - start)) return false;
            after_break = true;
        }
        if (b == '\n') ++line_feeds;
        if (line_feeds >= 2) {
            if (!read_line(nullptr, 0)) return false;
            --line_feeds;
        }
        start = i + 1;
    }
    if (start < length && !read_line(text + start, length - start)) return false;
    return true;
}

bool LyricDocument::read_line(const char* raw, std::uint32_t length) {
    LyricLine* line = new (std::nothrow) LyricLine;
    if (!line) return false;
    const bool parsed = line->parse(raw, length);
    if (parsed && add_line(line)) return true;
    const bool header = line->kind() != LineKind::lyric;
    delete line;
    return parsed && header;
}

bool LyricLine::parse(const Utf8String& raw) { return parse(raw.c_str(), raw.length()); }

bool LyricLine::parse(const char* raw, std::uint32_t length) {
    std::uint32_t end = length;
    while (end > 0 && is_blank(raw[end - 1])) --end;
    if (end == 0) return true;
    std::uint32_t begin = 0;
    while (is_blank(raw[begin])) ++begin;
    const char* line = raw + begin;
    const std::uint32_t n = end - begin;

    // The tag run ends at the last bracket properly closed before the scan,
    // which goes up to the last right bracket, meets a misplaced bracket.
    std::uint32_t scan_end = n;
    while (scan_end > 0 && line[scan_end - 1] != ']') --scan_end;
    std::uint32_t run_length = 0;
    bool inside = false;
    for (std::uint32_t i = 0; i < scan_end; ++i) {
        if (line[i] == '[') {
            if (inside) break;
            inside = true;
        } else if (line[i] == ']') {
            if (!inside) break;
            inside = false;
            run_length = i + 1;
        }
    }

    text_.truncate(0);
    if (!text_.append_bytes(line + run_length, n - run_length)) return false;
    read_tag_run(line, run_length);
    return refresh_tag_text();
}

void LyricLine::read_tag_run(const char* run, std::uint32_t length) {
    // Within a run every right bracket closes the left bracket just before
    // it, so a bracket's content is the bytes since that left bracket; text
    // before the first bracket or between brackets is dropped.
    std::uint32_t content = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
        if (run[i] == '[') {
            content = i + 1;
        } else if (run[i] == ']') {
            classify(run + content, i - content);
            if (kind_ != LineKind::lyric) return;
            if (!add_tag(new (std::nothrow) TimeTag(parse_time_text(run + content, i - content)))) return;
        }
    }
}

void LyricLine::classify(const char* content, std::uint32_t length) {
    const std::int64_t after_offset = find_key(content, length, "offset:", 7);
    if (after_offset >= 0) {
        kind_ = LineKind::offset_header;
        const std::uint32_t from = static_cast<std::uint32_t>(after_offset);
        offset_ms_ = read_decimal_int(content + from, length - from);
        return;
    }
    static const char* const info_keys[] = {"ti:", "ar:", "at:", "al:", "by:"};
    for (const char* key : info_keys) {
        if (find_key(content, length, key, 3) >= 0) {
            kind_ = LineKind::info_header;
            return;
        }
    }
}

}  // namespace versotime
