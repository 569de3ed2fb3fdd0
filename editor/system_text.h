// UTF-8 text converted for the narrow window calls (system code page), and
// byte cuts that never leave half of a double-byte character.
#pragma once

#include <cstdint>

namespace versotime {

class SystemText {
public:
    // Null or an allocation failure gives the empty text.
    explicit SystemText(const char* utf8, std::uint32_t max_bytes = 0xFFFFFFFFu);
    ~SystemText();
    SystemText(const SystemText&) = delete;
    SystemText& operator=(const SystemText&) = delete;

    const char* c_str() const { return text_ ? text_ : ""; }
    char* data() { return text_; }
    std::uint32_t length() const { return length_; }
    // Bytes of the buffer, NUL included.
    std::uint32_t capacity() const { return capacity_; }
    // Keeps at most `max_bytes` bytes, dropping a character the cut would
    // split; returns the new length.
    std::uint32_t cut(std::uint32_t max_bytes);

private:
    char* text_ = nullptr;
    std::uint32_t length_ = 0;
    std::uint32_t capacity_ = 0;
};

// The length of the longest prefix of `text` (system code page, `length`
// bytes) of at most `max_bytes` bytes that ends on a character boundary.
std::uint32_t whole_character_prefix(const char* text, std::uint32_t length, std::uint32_t max_bytes);

// The lyric list's entry for a line of `utf8_length` UTF-8 bytes, already
// converted into `shown`: at most 255 bytes, and for a line longer than 256
// bytes the first 253 bytes and "..." (a converted text shorter than 253
// bytes stays whole).
void make_entry_text(std::uint32_t utf8_length, SystemText& shown);

}  // namespace versotime
