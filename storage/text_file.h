// Reading lyric text files: the whole file, read as the C run-time's text
// mode reads it, converted from the system code page or, with the encoding
// asked for, decoded as its mark or content says (host/text_encoding.h).
// Portable: no Win32 types, and the same result on every platform.
#pragma once

#include <cstddef>

#include "host/text_encoding.h"
#include "host/utf8_string.h"

namespace versotime {

// Reads the file at `path` (system code page) into `out` as UTF-8. False,
// with `out` untouched, when the file cannot be opened; false with `out`
// emptied when memory runs out; an empty file gives an empty text.
bool load_text_file(const char* path, Utf8String& out);

// The same, with the file's encoding detected (decode_detected_text) and
// reported: what a save writes back. A file that cannot be read reports the
// system code page. Files past 64 MB are refused here too.
bool load_text_file(const char* path, Utf8String& out, TextEncoding& encoding);

}  // namespace versotime
