#include "editor/system_text.h"

#include <windows.h>

#include <cstdlib>

#include "host/text_convert.h"
#include "host/utf8_string.h"

namespace versotime {

SystemText::SystemText(const char* utf8, std::uint32_t max_bytes) {
    const std::uint32_t n = bounded_length(utf8, max_bytes);
    text_ = static_cast<char*>(std::malloc(static_cast<std::size_t>(n) + 1));
    if (!text_) return;
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

}  // namespace versotime
