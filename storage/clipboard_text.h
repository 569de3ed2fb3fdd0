// Taking text from the Windows clipboard, apart from the editor that shows
// the outcome.
#pragma once

#include <windows.h>

#include <cstdint>

namespace versotime {

class Utf8String;

enum class ClipboardRead {
    ok,
    no_text,     // no text format, the clipboard cannot be opened, or no data
    not_locked,  // the data cannot be locked
    too_short,   // fewer than the minimum bytes
    no_memory,   // the text cannot be converted whole
};

// The clipboard's CF_TEXT, converted from the system code page, into `out`
// (emptied first); `owner` opens the clipboard. The text ends at its first
// NUL or at the end of the block, whichever comes first: another program's
// block need not hold a NUL. `out` holds text only when the result is ok.
ClipboardRead read_clipboard_text(HWND owner, std::uint32_t min_bytes, Utf8String& out);

}  // namespace versotime
