#include "core/time_tag.h"

namespace versotime {

TimeTag::TimeTag(double seconds) : time_(seconds), text_length_(format_time_tag(seconds, text_)) {}

TimeTag::TimeTag(const Utf8String& time_text) : TimeTag(parse_time_text(time_text)) {}

TimeTag::TimeTag(const char* time_text)
    : TimeTag(parse_time_text(time_text ? time_text : "", bounded_length(time_text, whole_text))) {}

}  // namespace versotime
