#include "core/lyric_line.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

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
    // Gathered first and appended once: the string grows by only 16 bytes of
    // slack, so a tag at a time would copy a long run of tags over and over.
    std::uint64_t total = 0;
    for (int i = 0; i < tags_.count(); ++i) total += tags_.at(i).text_length();
    if (total == 0) return true;
    if (total > 0x7FFFFFF0u) return false;
    char small[256];
    char* gathered = total <= sizeof small ? small : static_cast<char*>(std::malloc(static_cast<std::size_t>(total)));
    if (!gathered) return false;
    std::size_t at = 0;
    for (int i = 0; i < tags_.count(); ++i) {
        const TimeTag& t = tags_.at(i);
        std::memcpy(gathered + at, t.text(), t.text_length());
        at += t.text_length();
    }
    const bool appended = tag_text_.append_bytes(gathered, static_cast<std::uint32_t>(total));
    if (gathered != small) std::free(gathered);
    return appended;
}

}  // namespace versotime
