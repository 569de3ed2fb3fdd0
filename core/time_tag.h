// One time position on the track: seconds at full precision plus the printed
// form "[mm:ss.t]" made once at construction. Immutable.
#pragma once

#include <cstdint>

#include "core/time_text.h"
#include "host/utf8_string.h"

namespace versotime {

class TimeTag {
public:
    // Playing-mode stamping.
    explicit TimeTag(double seconds);
    // A time text as the reader finds it between brackets.
    explicit TimeTag(const Utf8String& time_text);
    // A time text typed into the editor; null counts as empty.
    explicit TimeTag(const char* time_text);

    TimeTag(const TimeTag&) = delete;
    TimeTag& operator=(const TimeTag&) = delete;

    // Seconds, or the no-time value -1.0 for a text that was too short.
    double time() const { return time_; }
    // The printed form, UTF-8 and NUL-terminated; empty for a negative time.
    const char* text() const { return text_; }
    std::uint32_t text_length() const { return text_length_; }

private:
    double time_;
    std::uint32_t text_length_;
    // Held inline: the printed form is short and a tag cannot lose it to a
    // failed allocation.
    char text_[time_tag_capacity];
};

}  // namespace versotime
