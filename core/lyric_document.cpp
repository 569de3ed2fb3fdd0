#include "core/lyric_document.h"

namespace versotime {

bool LyricDocument::add_line(LyricLine* line) {
    if (!line) return false;
    switch (line->kind()) {
    case LineKind::lyric: return lines_.append(line);
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
    bool complete = true;
    for (int i = 0; i < lines_.count(); ++i) {
        if (!lines_.at(i).refresh_tag_text()) complete = false;
    }
    return complete;
}

}  // namespace versotime
