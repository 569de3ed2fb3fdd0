#include "core/lyric_document.h"

namespace versotime {

double LineView::tag_time(int index) const {
    if (line_) return line_->tag_time(index);
    if (static_cast<unsigned>(index) >= packed_.tag_count()) return no_time;
    return packed_.tag_time(static_cast<std::uint32_t>(index));
}

std::uint32_t LineView::tag_text(int index, char out[time_tag_capacity]) const {
    out[0] = 0;
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(tag_count())) return 0;
    if (!line_) return format_time_tag(packed_.tag_time(static_cast<std::uint32_t>(index)), out);
    const TimeTag& tag = line_->tag(index);
    std::memcpy(out, tag.text(), tag.text_length() + 1);
    return tag.text_length();
}

LyricLine& LyricDocument::line(int index) {
    if (LyricLine* owned = lines_.owned(index)) return *owned;
    if (lines_.unpack(index)) return *lines_.owned(index);
    // Out of memory: something safe to look at and to change.
    spare_.text().truncate(0);
    while (spare_.tag_count() > 0) spare_.remove_tag(spare_.tag_count() - 1);
    spare_.refresh_tag_text();
    return spare_;
}

const LyricLine& LyricDocument::line(int index) const { return const_cast<LyricDocument*>(this)->line(index); }

bool LyricDocument::add_line(LyricLine* line) {
    if (!line) return false;
    switch (line->kind()) {
    case LineKind::lyric: return lines_.insert(lines_.count(), line);
    case LineKind::offset_header: offset_ms_ = line->offset_ms(); return false;
    case LineKind::info_header: return false;
    }
    return false;
}

bool LyricDocument::insert_line(int index, LyricLine* line) {
    if (!line) return false;
    if (lines_.insert(index, line)) return true;
    delete line;
    return false;
}

bool LyricDocument::refresh_tag_texts() {
    // A packed line's tag text is made when it is unpacked.
    bool complete = true;
    for (int i = 0; i < lines_.count(); ++i) {
        LyricLine* owned = lines_.owned(i);
        if (owned && !owned->refresh_tag_text()) complete = false;
    }
    return complete;
}

}  // namespace versotime
