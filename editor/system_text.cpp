#include "editor/system_text.h"

#include <windows.h>

#include <cstdlib>

#include "host/text_convert.h"
#include "host/utf8_string.h"

namespace versotime {

namespace {

// Lyric list entries keep this many bytes; longer UTF-8 lines end in "...".
constexpr std::uint32_t max_entry_bytes = 255;
constexpr std::uint32_t ellipsis_from_utf8 = 256;
constexpr std::uint32_t ellipsis_at = 253;

}  // namespace

SystemText::SystemText(const char* utf8, std::uint32_t max_bytes) {
    const std::uint32_t n = bounded_length(utf8, max_bytes);
    text_ = static_cast<char*>(std::malloc(static_cast<std::size_t>(n) + 1));
    if (!text_) return;
    capacity_ = n + 1;
    length_ = convert_utf8_to_system(utf8 ? utf8 : "", text_, n);
    text_[length_] = 0;
}

SystemText::~SystemText() { std::free(text_); }

std::uint32_t SystemText::cut(std::uint32_t max_bytes) {
    if (!text_) return 0;
    length_ = whole_character_prefix(text_, length_, max_bytes);
    text_[length_] = 0;
    return length_;
}

std::uint32_t whole_character_prefix(const char* text, std::uint32_t length, std::uint32_t max_bytes) {
    if (length <= max_bytes) return length;
    std::uint32_t at = 0;
    while (at < max_bytes) {
        const std::uint32_t width =
            IsDBCSLeadByte(static_cast<BYTE>(text[at])) && at + 1 < length && text[at + 1] ? 2 : 1;
        if (at + width > max_bytes) break;
        at += width;
    }
    return at;
}

// The text shown for a line: at most 255 bytes; a line longer than 256 UTF-8
// bytes shows its first 253 bytes and "...". Never half a character.
void make_entry_text(std::uint32_t utf8_length, SystemText& shown) {
    if (utf8_length > ellipsis_from_utf8 && shown.length() >= ellipsis_at) {
        const std::uint32_t keep = shown.cut(ellipsis_at);
        char* data = shown.data();
        if (data && shown.capacity() >= keep + 4) {
            data[keep] = '.';
            data[keep + 1] = '.';
            data[keep + 2] = '.';
            data[keep + 3] = 0;
        }
        return;
    }
    shown.cut(max_entry_bytes);
}

}  // namespace versotime
