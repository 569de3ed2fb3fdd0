// Time texts: a time tag's text to seconds, and seconds to the printed forms
// "[mm:ss.t]" (a time tag) and "mm:ss.t" (a time label). Both printed forms
// show whole tenths, truncated, and three minute digits from 100 minutes on.
#pragma once

#include <cstdint>

#include "host/utf8_string.h"

namespace versotime {

// The time of a tag that has none.
constexpr double no_time = -1.0;

// Room for the longest printed form of a time tag and its NUL.
constexpr std::uint32_t time_tag_capacity = 11;
// Room for the longest time label and its NUL.
constexpr std::uint32_t time_label_capacity = 9;

// Seconds from a time text such as "01:23.45", "01:23:45" or "12.50"; the
// no-time value for a text shorter than five bytes or a time that does not
// come out finite.
double parse_time_text(const Utf8String& text);
double parse_time_text(const char* text, std::uint32_t length);

// The usual shape of a time text alone, digits, a colon and digits with
// perhaps a point and more digits ("01:23.45"): true, with the same seconds
// parse_time_text gives, when the text has that shape and is short enough
// to read exactly; false for anything else.
bool parse_plain_time_text(const char* text, std::uint32_t length, double& seconds);

// Writes the printed form and returns its length. A negative time, or one
// whose count of tenths does not fit a signed 32-bit integer, has an empty
// printed form (length 0).
std::uint32_t format_time_tag(double seconds, char out[time_tag_capacity]);

// The window's time label; false, with `out` empty, when a time has none
// (the same times as an empty printed form).
bool format_time_label(double seconds, char out[time_label_capacity]);

}  // namespace versotime
