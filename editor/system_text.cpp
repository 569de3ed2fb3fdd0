#include "editor/system_text.h"

#include <windows.h>

#include <cstdlib>

#include "host/text_convert.h"
#include "host/text_encoder.h"
#include "host/unicode_text.h"
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

WideText::~WideText() { std::free(text_); }

bool WideText::reserve(std::uint32_t units) {
    std::free(text_);
    text_ = nullptr;
    if (units >= 0x7FFFFFFFu / sizeof(wchar_t)) return false;
    text_ = static_cast<wchar_t*>(std::malloc((static_cast<std::size_t>(units) + 1) * sizeof(wchar_t)));
    return text_ != nullptr;
}

bool WideText::assign_utf8(const char* utf8, std::uint32_t length) {
    if (!reserve(length)) return false;
    convert_utf8_to_utf16_replacing(utf8 ? utf8 : "", reinterpret_cast<char16_t*>(text_), length);
    return true;
}

bool WideText::assign_system(const char* text, std::uint32_t length) {
    if (!reserve(length)) return false;
    convert_system_to_utf16(text ? text : "", reinterpret_cast<char16_t*>(text_), length);
    return true;
}

bool is_code_page_text(const char* utf8, std::uint32_t length) {
    // ASCII is in every system code page; only the rest needs the round trip.
    for (std::uint32_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(utf8[i]) >= 0x80) return converts_exactly(utf8, length);
    }
    return true;
}

std::uint32_t whole_utf8_prefix(const char* utf8, std::uint32_t length, std::uint32_t max_bytes) {
    if (length <= max_bytes) return length;
    std::uint32_t at = 0;
    while (at < max_bytes) {
        unsigned width = utf8_character_length(utf8 + at, length - at);
        if (width == 0) width = 1;
        if (at + width > max_bytes) break;
        at += width;
    }
    return at;
}

bool cut_shown_text(const char* utf8, std::uint32_t length, std::uint32_t max_bytes, Utf8String& out) {
    if (is_code_page_text(utf8, length)) {
        SystemText shown(utf8, length);
        shown.cut(max_bytes);
        return out.append_system_text(shown.c_str(), shown.length());
    }
    return out.append_bytes(utf8, whole_utf8_prefix(utf8, length, max_bytes));
}

bool make_entry_wide(const char* utf8, std::uint32_t length, WideText& out) {
    if (is_code_page_text(utf8, length)) {
        SystemText shown(utf8, length);
        make_entry_text(length, shown);
        // The "..." lies past the length the cut left.
        return out.assign_system(shown.c_str(), bounded_length(shown.c_str(), 0xFFFFFFFFu));
    }
    if (length <= ellipsis_from_utf8) return out.assign_utf8(utf8, whole_utf8_prefix(utf8, length, max_entry_bytes));
    const std::uint32_t keep = whole_utf8_prefix(utf8, length, ellipsis_at);
    Utf8String entry;
    if (!entry.append_bytes(utf8, keep) || !entry.append_bytes("...", 3)) return out.assign_utf8("", 0);
    return out.assign_utf8(entry.c_str(), entry.length());
}

void put_list_item(HWND window, int list_id, int index, const WideText& text) {
    const LPARAM item = reinterpret_cast<LPARAM>(text.c_str());
    if (index < 0) {
        SendDlgItemMessageW(window, list_id, LB_ADDSTRING, 0, item);
    } else {
        SendDlgItemMessageW(window, list_id, LB_INSERTSTRING, static_cast<WPARAM>(index), item);
    }
}

void set_item_text_utf8(HWND window, int control_id, const char* utf8, std::uint32_t length) {
    WideText text;
    text.assign_utf8(utf8, length);
    SetDlgItemTextW(window, control_id, text.c_str());
}

bool get_item_text_utf8(HWND window, int control_id, Utf8String& out) {
    out.truncate(0);
    HWND control = GetDlgItem(window, control_id);
    const int units = control ? GetWindowTextLengthW(control) : 0;
    if (units <= 0) return true;
    if (units >= 0x0FFFFFFF) return false;
    wchar_t* wide = static_cast<wchar_t*>(std::malloc((static_cast<std::size_t>(units) + 1) * sizeof(wchar_t)));
    char* bytes = static_cast<char*>(std::malloc(static_cast<std::size_t>(units) * 3 + 1));
    bool read = false;
    if (wide && bytes) {
        int got = GetWindowTextW(control, wide, units + 1);
        if (got < 0) got = 0;
        const std::uint32_t length = convert_utf16_to_utf8_replacing(reinterpret_cast<const char16_t*>(wide), bytes,
                                                                     static_cast<std::uint32_t>(got));
        read = out.append_bytes(bytes, length);
    }
    std::free(bytes);
    std::free(wide);
    if (!read) out.truncate(0);
    return read;
}

}  // namespace versotime
