#include "storage/clipboard_text.h"

#include "host/utf8_string.h"

namespace versotime {

ClipboardRead read_clipboard_text(HWND owner, std::uint32_t min_bytes, Utf8String& out) {
    out.truncate(0);
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return ClipboardRead::no_text;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) {
        CloseClipboard();
        return ClipboardRead::no_text;
    }
    const char* text = static_cast<const char*>(GlobalLock(data));
    if (!text) {
        CloseClipboard();
        return ClipboardRead::not_locked;
    }
    const SIZE_T size = GlobalSize(data);
    const std::uint32_t length =
        bounded_length(text, size < 0xFFFFFFFFu ? static_cast<std::uint32_t>(size) : 0xFFFFFFFFu);
    ClipboardRead result = ClipboardRead::ok;
    if (length < min_bytes) {
        result = ClipboardRead::too_short;
    } else if (!out.append_system_text(text, length)) {
        // An empty or partial text must not pass for what was copied.
        out.truncate(0);
        result = ClipboardRead::no_memory;
    }
    GlobalUnlock(data);
    CloseClipboard();
    return result;
}

}  // namespace versotime
