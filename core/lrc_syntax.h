// The pieces of one raw LRC line, shared by LyricLine::parse and the
// document's packed reader so that both read a line the same way.
#pragma once

#include <cstdint>

#include "core/lyric_line.h"
#include "core/time_text.h"

namespace versotime {
namespace lrc {

// One raw line with its blanks stripped, split at the end of its tag run.
struct LineParts {
    const char* line;          // the stripped line
    std::uint32_t length;      // its length; 0 for an empty or blank line
    std::uint32_t run_length;  // the tag run: line[0, run_length)
    std::uint32_t brackets;    // bracket pairs in the run
};

LineParts split_line(const char* raw, std::uint32_t length);

// What one bracket's content makes of its line; `offset_ms` is set for an
// offset header.
LineKind classify_bracket(const char* content, std::uint32_t length, std::int32_t& offset_ms);

// Walks a tag run bracket by bracket: calls `on_time(seconds)` for each time
// tag until it returns false, and stops at the first header bracket. Returns
// the line's kind; `offset_ms` is set for an offset header.
template <typename OnTime>
LineKind read_tag_run(const char* run, std::uint32_t length, std::int32_t& offset_ms, OnTime on_time) {
    // Within a run every right bracket closes the left bracket just before
    // it, so a bracket's content is the bytes since that left bracket; text
    // before the first bracket or between brackets is dropped.
    std::uint32_t content = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
        if (run[i] == '[') {
            content = i + 1;
        } else if (run[i] == ']') {
            // A plain time has a digit before its only colon: no header key.
            double seconds;
            if (!parse_plain_time_text(run + content, i - content, seconds)) {
                const LineKind kind = classify_bracket(run + content, i - content, offset_ms);
                if (kind != LineKind::lyric) return kind;
                seconds = parse_time_text(run + content, i - content);
            }
            if (!on_time(seconds)) break;
        }
    }
    return LineKind::lyric;
}

}  // namespace lrc
}  // namespace versotime
