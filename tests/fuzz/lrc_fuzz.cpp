// Any bytes as lyric text: read, write, read again. The reader never refuses
// a text, and what the writer makes of a document reads back into the same
// lines: same count, same printed tags (tags without one vanish; from 1000
// minutes on only the tag itself is kept, not its time), same texts
// (an untimed line loses its leading blanks), and the offset when it is
// written at all. A second round changes nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/lyric_document.h"
#include "tests/fuzz/fuzz_check.h"

using namespace versotime;

namespace {

// Printed tags of a line, concatenated, as the writer puts them.
bool printed_tags_equal(const LyricLine& before, const LyricLine& after) {
    int j = 0;
    for (int i = 0; i < before.tag_count(); ++i) {
        const TimeTag& tag = before.tag(i);
        if (tag.text_length() == 0) continue;
        if (j >= after.tag_count()) return false;
        const TimeTag& back = after.tag(j++);
        if (back.text_length() == 0) return false;
        // From 1000 minutes on the printed form keeps only three minute
        // digits, so it reads back as a smaller time.
        if (tag.time() >= 60000.0) continue;
        if (back.text_length() != tag.text_length() || std::memcmp(back.text(), tag.text(), tag.text_length()) != 0) {
            return false;
        }
    }
    return j == after.tag_count();
}

bool texts_equal(const LyricLine& before, const LyricLine& after) {
    const char* text = before.text().c_str();
    std::uint32_t length = before.text().length();
    if (before.tag_text().length() == 0) {
        while (length > 0 && (*text == ' ' || *text == '\t')) {
            ++text;
            --length;
        }
    }
    return after.text().length() == length && std::memcmp(after.text().c_str(), text, length) == 0;
}

bool same_string(const Utf8String& a, const Utf8String& b) {
    return a.length() == b.length() && std::memcmp(a.c_str(), b.c_str(), a.length()) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0x7FFFFFFF) return 0;
    LyricDocument first;
    FUZZ_CHECK(first.read_lrc(reinterpret_cast<const char*>(data), static_cast<std::uint32_t>(size)));
    for (int i = 0; i < first.line_count(); ++i) FUZZ_CHECK(first.line(i).kind() == LineKind::lyric);

    const std::int32_t offset = first.offset_ms();
    Utf8String written;
    FUZZ_CHECK(first.write_lrc(offset, written));

    LyricDocument second;
    FUZZ_CHECK(second.read_lrc(written));
    FUZZ_CHECK(second.line_count() == first.line_count());
    FUZZ_CHECK(second.offset_ms() == ((offset > 10 || offset < -10) ? offset : 0));
    for (int i = 0; i < first.line_count(); ++i) {
        FUZZ_CHECK(printed_tags_equal(first.line(i), second.line(i)));
        FUZZ_CHECK(texts_equal(first.line(i), second.line(i)));
    }

    Utf8String rewritten;
    FUZZ_CHECK(second.write_lrc(second.offset_ms(), rewritten));
    LyricDocument third;
    FUZZ_CHECK(third.read_lrc(rewritten));
    Utf8String again;
    FUZZ_CHECK(third.write_lrc(third.offset_ms(), again));
    FUZZ_CHECK(same_string(rewritten, again));
    return 0;
}
