// The system code page (the Windows narrow code page, CP_ACP). On Windows the
// system answers; natively a small iconv-based stand-in whose code page a
// test can choose, so the same code paths run in both builds.
#pragma once

#include <cstdint>

namespace versotime {

// The active code page number (1252, 936, ...).
unsigned system_code_page();

// Natively only: chooses the code page (1252 by default). Returns false for
// a code page the stand-in does not know. On Windows it does nothing.
bool set_system_code_page(unsigned code_page);

// The system's own conversions, on exactly `count` input units (no NUL
// handling): the number of output units written, 0 on failure. With a zero
// `capacity` they only measure.
std::uint32_t system_to_utf16(const char* source, std::uint32_t count, char16_t* out, std::uint32_t capacity);
std::uint32_t utf16_to_system(const char16_t* source, std::uint32_t count, char* out, std::uint32_t capacity);

}  // namespace versotime
