#include "storage/clipboard_text.h"

#include <cstdlib>

#include "host/system_code_page.h"
#include "host/unicode_text.h"
#include "host/utf8_string.h"

namespace versotime {

namespace {

// The whole of a block's size that `unit` bytes can fill, within 32 bits.
std::uint32_t units_in(HANDLE data, std::uint32_t unit) {
    const SIZE_T size = GlobalSize(data) / unit;
    return size < 0xFFFFFFFFu ? static_cast<std::uint32_t>(size) : 0xFFFFFFFFu;
}

std::uint32_t bounded_units(const char16_t* text, std::uint32_t max_units) {
    std::uint32_t n = 0;
    while (n < max_units && text[n] != 0) ++n;
    return n;
}

// The units as UTF-8 into `out`; an unpaired surrogate becomes U+FFFD.
bool append_units(const char16_t* units, std::uint32_t count, Utf8String& out) {
    if (count > (0xFFFFFFFEu - 1) / 3) return false;
    char* bytes = static_cast<char*>(std::malloc(static_cast<std::size_t>(count) * 3 + 1));
    if (!bytes) return false;
    const std::uint32_t length = convert_utf16_to_utf8_replacing(units, bytes, count);
    const bool appended = out.append_bytes(bytes, length);
    std::free(bytes);
    return appended;
}

// CF_UNICODETEXT: lossless, whatever the system code page. The minimum
// length is counted on the text's system-code-page form, as for CF_TEXT.
ClipboardRead read_units(HANDLE data, std::uint32_t min_bytes, Utf8String& out) {
    const char16_t* text = static_cast<const char16_t*>(GlobalLock(data));
    if (!text) return ClipboardRead::not_locked;
    const std::uint32_t count = bounded_units(text, units_in(data, sizeof(char16_t)));
    ClipboardRead result = ClipboardRead::ok;
    const std::uint32_t system_bytes = count ? utf16_to_system(text, count, nullptr, 0) : 0;
    if (system_bytes < min_bytes) {
        result = ClipboardRead::too_short;
    } else if (!append_units(text, count, out)) {
        out.truncate(0);
        result = ClipboardRead::no_memory;
    }
    GlobalUnlock(data);
    return result;
}

ClipboardRead read_bytes(HANDLE data, std::uint32_t min_bytes, Utf8String& out) {
    const char* text = static_cast<const char*>(GlobalLock(data));
    if (!text) return ClipboardRead::not_locked;
    const std::uint32_t length = bounded_length(text, units_in(data, 1));
    ClipboardRead result = ClipboardRead::ok;
    if (length < min_bytes) {
        result = ClipboardRead::too_short;
    } else if (!out.append_system_text(text, length)) {
        // An empty or partial text must not pass for what was copied.
        out.truncate(0);
        result = ClipboardRead::no_memory;
    }
    GlobalUnlock(data);
    return result;
}

}  // namespace

ClipboardRead read_clipboard_text(HWND owner, std::uint32_t min_bytes, Utf8String& out) {
    out.truncate(0);
    const bool wide = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
    if ((!wide && !IsClipboardFormatAvailable(CF_TEXT)) || !OpenClipboard(owner)) return ClipboardRead::no_text;
    HANDLE data = GetClipboardData(wide ? CF_UNICODETEXT : CF_TEXT);
    if (!data) {
        CloseClipboard();
        return ClipboardRead::no_text;
    }
    const ClipboardRead result = wide ? read_units(data, min_bytes, out) : read_bytes(data, min_bytes, out);
    CloseClipboard();
    return result;
}

}  // namespace versotime
