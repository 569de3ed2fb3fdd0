// LRC text writer: one output line per document line (its printed tags, then
// its text, then CR LF), and the offset bracket as the very last line, without
// a line end, when the offset is more than 10 ms either way.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/lyric_document.h"
#include "host/growable_buffer.h"

namespace versotime {

namespace {

// The offset bracket, or nothing; its length.
std::uint32_t offset_bracket(std::int32_t offset_ms, char (&bracket)[32]) {
    bracket[0] = 0;
    if (offset_ms <= 10 && offset_ms >= -10) return 0;
    return static_cast<std::uint32_t>(
        std::snprintf(bracket, sizeof bracket, "[offset:%d]", static_cast<int>(offset_ms)));
}

// Every byte of the text, in order, to `out.put(bytes, count)`; false as
// soon as `out` refuses.
template <typename Out>
bool put_lines(const LineStore& lines, const char* bracket, std::uint32_t bracket_length, Out& out) {
    for (int i = 0; i < lines.count(); ++i) {
        if (const LyricLine* line = lines.owned(i)) {
            if (!out.put(line->tag_text().c_str(), line->tag_text().length()) ||
                !out.put(line->text().c_str(), line->text().length())) {
                return false;
            }
        } else {
            const PackedLine packed = lines.packed(i);
            for (std::uint32_t k = 0; k < packed.tag_count(); ++k) {
                char printed[time_tag_capacity];
                if (!out.put(printed, format_time_tag(packed.tag_time(k), printed))) return false;
            }
            if (!out.put(packed.text(), packed.text_length())) return false;
        }
        if (!out.put("\r\n", 2)) return false;
    }
    return out.put(bracket, bracket_length);
}

struct Measure {
    std::uint64_t total = 0;
    bool put(const char*, std::uint32_t count) {
        total += count;
        return true;
    }
};

struct Gather {
    char* at;
    bool put(const char* bytes, std::uint32_t count) {
        std::memcpy(at, bytes, count);
        at += count;
        return true;
    }
};

// Pieces of up to 64 KB; a longer run of bytes goes out as it is.
class Pieces {
public:
    static constexpr std::uint32_t capacity = 65536;
    Pieces(LrcPieceSink sink, void* context)
        : sink_(sink), context_(context), buffer_(static_cast<char*>(std::malloc(capacity))) {}
    ~Pieces() { std::free(buffer_); }
    Pieces(const Pieces&) = delete;
    Pieces& operator=(const Pieces&) = delete;

    bool ready() const { return buffer_ != nullptr; }
    bool put(const char* bytes, std::uint32_t count) {
        if (count > capacity - used_) {
            if (!flush()) return false;
            if (count >= capacity) return sink_(context_, bytes, count);
        }
        std::memcpy(buffer_ + used_, bytes, count);
        used_ += count;
        return true;
    }
    bool flush() {
        const std::uint32_t n = used_;
        used_ = 0;
        return n == 0 || sink_(context_, buffer_, n);
    }

private:
    LrcPieceSink sink_;
    void* context_;
    char* buffer_;
    std::uint32_t used_ = 0;
};

}  // namespace

Utf8String LyricDocument::write_lrc(std::int32_t offset_ms) {
    Utf8String out;
    write_lrc(offset_ms, out);
    return out;
}

bool LyricDocument::write_lrc(std::int32_t offset_ms, Utf8String& out) {
    out.truncate(0);
    if (!refresh_tag_texts()) return false;
    char bracket[32];
    const std::uint32_t bracket_length = offset_bracket(offset_ms, bracket);
    // Measured first, so the text is gathered in one block of its own size.
    Measure measure;
    put_lines(lines_, bracket, bracket_length, measure);
    if (measure.total == 0) return true;
    if (measure.total > 0x7FFFFFF0u) return false;
    GrowableBuffer text(GrowthMode::exact);
    if (!text.resize(static_cast<std::uint32_t>(measure.total))) return false;
    Gather gather{reinterpret_cast<char*>(text.data())};
    put_lines(lines_, bracket, bracket_length, gather);
    return out.append_bytes(reinterpret_cast<const char*>(text.data()), text.size());
}

bool LyricDocument::write_lrc(std::int32_t offset_ms, LrcPieceSink put, void* context) {
    if (!put || !refresh_tag_texts()) return false;
    char bracket[32];
    const std::uint32_t bracket_length = offset_bracket(offset_ms, bracket);
    Pieces pieces(put, context);
    return pieces.ready() && put_lines(lines_, bracket, bracket_length, pieces) && pieces.flush();
}

}  // namespace versotime
