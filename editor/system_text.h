// UTF-8 text converted for the window calls: the system code page for the
// narrow ones, UTF-16 for the wide ones that show lyric text; and byte cuts
// that never leave half of a character.
#pragma once

#include <windows.h>

#include <cstdint>

namespace versotime {

class Utf8String;

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

// UTF-16 text for the wide window calls, on the C heap.
class WideText {
public:
    WideText() = default;
    ~WideText();
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    // `length` bytes of UTF-8 up to a NUL; each byte that is not part of a
    // well-formed character becomes U+FFFD. False (the empty text) when
    // memory ran out.
    bool assign_utf8(const char* utf8, std::uint32_t length);
    // System-code-page text as the system converts it.
    bool assign_system(const char* text, std::uint32_t length);
    const wchar_t* c_str() const { return text_ ? text_ : L""; }

private:
    bool reserve(std::uint32_t units);
    wchar_t* text_ = nullptr;
};

// Whether the system code page holds the UTF-8 text exactly: its display
// cuts then stay where the narrow calls always put them.
bool is_code_page_text(const char* utf8, std::uint32_t length);

// The longest prefix of `length` UTF-8 bytes of at most `max_bytes` bytes
// that does not split a character (a byte that is not part of one counts
// as one).
std::uint32_t whole_utf8_prefix(const char* utf8, std::uint32_t length, std::uint32_t max_bytes);

// A UTF-8 text kept to `max_bytes` bytes for showing, into `out` (UTF-8):
// text the code page holds is cut on its system-code-page form, exactly
// where the narrow calls always cut it; other text is cut on its UTF-8
// form, before the character the cut would split. False when memory ran
// out.
bool cut_shown_text(const char* utf8, std::uint32_t length, std::uint32_t max_bytes, Utf8String& out);

// The lyric list's entry for a UTF-8 line, as the wide calls show it: for
// text the code page holds exactly make_entry_text's entry; for other text
// the same byte rule counted on the UTF-8 form (at most 255 bytes, a line
// longer than 256 bytes its first 253 bytes and "..."), never splitting a
// character.
bool make_entry_wide(const char* utf8, std::uint32_t length, WideText& out);

// Appends (`index` -1) or inserts one item of a list box through the wide
// call.
void put_list_item(HWND window, int list_id, int index, const WideText& text);

// Sets a control's text through the wide call (U+FFFD for invalid bytes).
void set_item_text_utf8(HWND window, int control_id, const char* utf8, std::uint32_t length);
// Reads a control's whole text through the wide call, as UTF-8 (an unpaired
// surrogate as U+FFFD). False, with `out` empty, when memory ran out.
bool get_item_text_utf8(HWND window, int control_id, Utf8String& out);

}  // namespace versotime
