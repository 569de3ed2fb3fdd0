// LRC text writer: one output line per document line (its printed tags, then
// its text, then CR LF), and the offset bracket as the very last line, without
// a line end, when the offset is more than 10 ms either way.
#include <cstdio>

#include "core/lyric_document.h"
#include "host/growable_buffer.h"

namespace versotime {

Utf8String LyricDocument::write_lrc(std::int32_t offset_ms) {
    Utf8String out;
    write_lrc(offset_ms, out);
    return out;
}

bool LyricDocument::write_lrc(std::int32_t offset_ms, Utf8String& out) {
    out.truncate(0);
    if (!refresh_tag_texts()) return false;
    // Gathered in a doubling buffer first: the string type grows in small steps.
    GrowableBuffer text(GrowthMode::grow_only);
    for (int i = 0; i < lines_.count(); ++i) {
        const LyricLine& line = lines_.at(i);
        if (!text.append(line.tag_text().c_str(), line.tag_text().length()) ||
            !text.append(line.text().c_str(), line.text().length()) || !text.append("\r\n", 2)) {
            return false;
        }
    }
    if (offset_ms > 10 || offset_ms < -10) {
        char bracket[32];
        const int n = std::snprintf(bracket, sizeof bracket, "[offset:%d]", static_cast<int>(offset_ms));
        if (!text.append(bracket, static_cast<std::uint32_t>(n))) return false;
    }
    if (text.size() == 0) return true;
    return out.append_bytes(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace versotime
