// Tag field names from the templates kept in the settings: the name is the
// text between the first and the last '%'. Portable: no Win32 types.
#pragma once

#include "host/utf8_string.h"

namespace versotime {

// Fills `out` with the field name of `field_template` ("%LYRIC%" gives LYRIC,
// "%A%B%" gives A%B, "%%" the empty name). False, with `out` empty, when the
// template has no usable pair of '%'.
bool extract_field_name(const char* field_template, Utf8String& out);

}  // namespace versotime
