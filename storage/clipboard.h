// Lyrics through the Windows clipboard as plain text.
#pragma once

#include <windows.h>

namespace versotime {

// "Read From Clipboard" and "Copy To Clipboard".
void read_lyrics_from_clipboard(HWND editor);
void copy_lyrics_to_clipboard(HWND editor);

}  // namespace versotime
