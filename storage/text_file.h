// Reading lyric text files: the whole file, read as the C run-time's text
// mode reads it, converted from the system code page. Portable: no Win32
// types, and the same result on every platform.
#pragma once

#include <cstddef>

#include "host/utf8_string.h"

namespace versotime {

// Applies the text-mode rules in place: each CR LF pair becomes LF, the text
// ends at the first byte 0x1A, and bytes 0x00 are left out (after the pairs
// are joined). Returns the new count.
std::size_t apply_text_mode(char* bytes, std::size_t count);

// Reads the file at `path` (system code page) into `out` as UTF-8. False,
// with `out` untouched, when the file cannot be opened; false with `out`
// emptied when memory runs out; an empty file gives an empty text.
bool load_text_file(const char* path, Utf8String& out);

}  // namespace versotime
