// Case-insensitive comparison of UTF-8 texts. In the component it is the
// player's utf8api function; native builds link the portable fallback
// (target versotime_stricmp_portable). Portable: no Win32 types.
#pragma once

extern "C" {

// 0 when the texts are equal ignoring case; otherwise negative or positive
// like strcmp. A null text compares as the empty text.
int stricmp_utf8(const char* a, const char* b);

}  // extern "C"
