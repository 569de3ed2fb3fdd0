#include "core/lyric_line.h"

namespace versotime {

bool LyricLine::set_text_ansi(const char* text) {
    text_.truncate(0);
    return text_.append_system_text(text, whole_text);
}

double LyricLine::tag_time(int index) const {
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(tags_.count())) return no_time;
    return tags_.at(index).time();
}

bool LyricLine::add_tag(TimeTag* tag) {
    if (!tag) return false;
    if (tags_.append(tag)) return true;
    delete tag;
    return false;
}

bool LyricLine::refresh_tag_text() {
    tag_text_.truncate(0);
    for (int i = 0; i < tags_.count(); ++i) {
        const TimeTag& t = tags_.at(i);
        if (!tag_text_.append_bytes(t.text(), t.text_length())) return false;
    }
    return true;
}

}  // namespace versotime
