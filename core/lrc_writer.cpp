// LRC text writer: one output line per document line (its printed tags, then
// its text, then CR LF), and the offset bracket as the very last line, without
// a line end, when the offset is more than 10 ms either way.
#include <cstdio>
#include <cstring>

#include "core/lyric_document.h"
#include "host/growable_buffer.h"

namespace versotime {

Utf8String LyricDocument::write_lrc(std::int32_t offset_ms) {
    Utf8String out;
    write_lrc(offset_ms, out);
    return out;
}

namespace {

// The printed form's length without printing it: format_time_tag's rules.
std::uint32_t printed_length(double seconds) {
    char printed[time_tag_capacity];
    return format_time_tag(seconds, printed);
}

}  // namespace

bool LyricDocument::write_lrc(std::int32_t offset_ms, Utf8String& out) {
    out.truncate(0);
    if (!refresh_tag_texts()) return false;
    char bracket[32] = "";
    std::uint32_t bracket_length = 0;
    if (offset_ms > 10 || offset_ms < -10) {
        bracket_length = static_cast<std::uint32_t>(
            std::snprintf(bracket, sizeof bracket, "[offset:%d]", static_cast<int>(offset_ms)));
    }

    // Measured first, so the text is gathered in one block of its own size.
    std::uint64_t total = bracket_length;
    for (int i = 0; i < lines_.count(); ++i) {
        if (const LyricLine* line = lines_.owned(i)) {
            total += std::uint64_t{line->tag_text().length()} + line->text().length() + 2;
            continue;
        }
        const PackedLine& packed = lines_.packed(i);
        for (std::uint32_t k = 0; k < packed.tag_count(); ++k) total += printed_length(packed.tag_time(k));
        total += std::uint64_t{packed.text_length()} + 2;
    }
    if (total == 0) return true;
    if (total > 0x7FFFFFF0u) return false;
    GrowableBuffer text(GrowthMode::exact);
    if (!text.resize(static_cast<std::uint32_t>(total))) return false;

    char* at = reinterpret_cast<char*>(text.data());
    for (int i = 0; i < lines_.count(); ++i) {
        if (const LyricLine* line = lines_.owned(i)) {
            std::memcpy(at, line->tag_text().c_str(), line->tag_text().length());
            at += line->tag_text().length();
            std::memcpy(at, line->text().c_str(), line->text().length());
            at += line->text().length();
        } else {
            const PackedLine& packed = lines_.packed(i);
            for (std::uint32_t k = 0; k < packed.tag_count(); ++k) {
                char printed[time_tag_capacity];
                const std::uint32_t n = format_time_tag(packed.tag_time(k), printed);
                std::memcpy(at, printed, n);
                at += n;
            }
            std::memcpy(at, packed.text(), packed.text_length());
            at += packed.text_length();
        }
        *at++ = '\r';
        *at++ = '\n';
    }
    std::memcpy(at, bracket, bracket_length);
    return out.append_bytes(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace versotime
