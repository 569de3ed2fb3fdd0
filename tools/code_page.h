// The code page the tool reads and writes with --code-page: the component's
// system code page natively, the given Windows code page on Windows.
#pragma once

#include <cstdint>

namespace versotime {

// False when the code page is unknown.
bool use_code_page(unsigned code_page);

// Exactly `count` input units, NULs included; the units written, 0 when the
// conversion failed or `capacity` is too small.
std::uint32_t code_page_to_utf16(const char* text, std::uint32_t count, char16_t* out, std::uint32_t capacity);
std::uint32_t utf16_to_code_page(const char16_t* text, std::uint32_t count, char* out, std::uint32_t capacity);

}  // namespace versotime
